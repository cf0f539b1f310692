#include "GalleryDlg.h"

#include <random>
#include "CDataExchange.h"
#include "GalleryResource.h"

namespace {

const char* const kFunctionNames[9] = {"Left Key",  "Right Key", "Middle Key",  "Double Click", "Scroll Up",
                                       "Scroll Down", "Keyboard", "Application", "Disable"};

}  // namespace

GalleryDlg::GalleryDlg(CWnd* parent) : CBkDialogKX(IDD_GALLERY, parent) {
    // The same pictures on every run, so screenshots compare.
    auto engine = std::make_shared<std::minstd_rand>(20240611u);
    RandomSource seeded = [engine] { return static_cast<int>((*engine)() % 32768); };
    m_shadeSelect.SetRandomSource(seeded);
    m_shadeOk.SetRandomSource(seeded);
}

const MessageMap* GalleryDlg::GetThisMessageMap() {
    static const MapEntry entries[] = {
        OnMessage<kKnobChanged, &GalleryDlg::OnKnobChanged>(),
        OnControl<BN_CLICKED, IDC_FUNCTION_MENU, &GalleryDlg::OnFunctionMenu>(),
        OnControl<BN_CLICKED, IDC_PEN, &GalleryDlg::OnPenClicked>(),
        OnControl<BN_CLICKED, IDC_CHECK_ON, &GalleryDlg::OnCheckOnClicked>(),
    };
    static const MessageMap map(CBkDialogKX::GetThisMessageMap(), entries);
    return &map;
}

void GalleryDlg::DoDataExchange(CDataExchange* exchange) {
    CBkDialogKX::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_PEN, m_pen);
    DDX_Control(exchange, IDC_CLEAN, m_clean);
    DDX_Control(exchange, IDC_DEFAULT, m_default);
    DDX_Control(exchange, IDC_DISABLED, m_disabled);
    DDX_Control(exchange, IDC_ICON_ONLY, m_iconOnly);
    DDX_Control(exchange, IDC_GREY, m_grey);
    DDX_Control(exchange, IDC_TRANSPARENT, m_transparent);
    DDX_Control(exchange, IDC_CHECK_ON, m_checkOn);
    DDX_Control(exchange, IDC_CHECK_OFF, m_checkOff);
    DDX_Control(exchange, IDC_SHADE_SELECT, m_shadeSelect);
    DDX_Control(exchange, IDC_SHADE_OK, m_shadeOk);
    DDX_Control(exchange, IDC_FUNCTION_MENU, m_functionMenu);
    DDX_Control(exchange, IDC_DROPDOWN, m_dropDown);
    DDX_Control(exchange, IDC_KNOB, m_knob);
    DDX_Control(exchange, IDC_KNOB_PLAIN, m_knobPlain);
    DDX_Control(exchange, IDC_LABEL, m_label);
    DDX_Control(exchange, IDC_COMBO, m_combo);
    DDX_Control(exchange, IDC_TIP_KEY1, m_key1);
    DDX_Control(exchange, IDC_TIP_KEY2, m_key2);
    DDX_Radio(exchange, IDC_RADIO_A, m_area);
}

BOOL GalleryDlg::OnInitDialog() {
    CBkDialogKX::OnInitDialog();
    SetBitmap(IDB_TILE);

    m_pen.SetIcon(IDI_PEN, 0);
    m_clean.SetIcon(IDI_CLEAN_IN, IDI_CLEAN_OUT);
    m_default.SetIcon(IDI_DEFAULT_IN, IDI_DEFAULT_OUT);
    m_disabled.SetIcon(IDI_SAVE, 0);
    m_iconOnly.SetIcon(IDI_EXIT, 0);
    m_grey.SetIcon(IDI_PEN, CButtonKX::kGreyOfInIconId);
    m_transparent.SetIcon(IDI_ABOUT, 0);
    m_transparent.SetTransparent(true);
    m_checkOn.SetIcon(IDI_CALIBRATE_IN, IDI_CALIBRATE_OUT);
    m_checkOff.SetIcon(IDI_CALIBRATE_IN, IDI_CALIBRATE_OUT);
    m_checkOn.SetCheck(1, true);
    m_functionMenu.SetIcon(IDI_KEYS, 0);
    m_dropDown.SetIcon(IDI_MAPPING, 0);
    m_dropDown.Menu().LoadMenu(IDR_DROPDOWN);
    m_dropDown.SetMenuOwner(m_hWnd);

    m_shadeSelect.ApplyShadeEffect(6, 8, 10, 0, 0);
    m_shadeOk.ApplyShadeEffect(6, 8, 10, 0, 0);

    // The main dialog's knob set-up, and a plain one with the defaults.
    m_knob.SetRange(0, 200, false);
    m_knob.SetTickStep(20, false);
    m_knob.SetPageStep(0, false);
    m_knob.SetTickColor(0xFF808080, true);
    m_knob.SetNotify(m_hWnd, kKnobChanged, 0, 0);
    m_knob.SetTransparent(false);
    m_knob.SetPos(100);
    m_knobPlain.SetRange(0, 100, false);
    m_knobPlain.SetPos(30);

    m_label.SetTextColor(0);
    m_label.SetBkColor(0xF3F3F3);
    m_label.SetTextFont(6, 12, "System");
    m_label.SetText("Ctrl + Shift + F5");

    for (const char* entry : {"Nib Pressure", "Tilt", "Nib Click"}) m_combo.AddString(entry);
    m_combo.SetCurSel(0);

    if (m_toolTip.CreateTipWindow(this)) {
        m_toolTip.AddTool(&m_key1, "Left Key", RGB(43, 58, 85));
        m_toolTip.AddTool(&m_key2, "Keyboard: Ctrl + Shift + F5 and a much longer text that wraps", RGB(233, 118, 91));
    }
    return TRUE;
}

BOOL GalleryDlg::PreTranslateMessage(MSG* message) {
    m_toolTip.RelayEvent(message);
    return CBkDialogKX::PreTranslateMessage(message);
}

BOOL GalleryDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (lParam == 0 && ((id >= ID_FUNCTION_FIRST && id < ID_FUNCTION_FIRST + 9) ||
                        (id >= ID_DROPDOWN_OPEN && id <= ID_DROPDOWN_CLOSE))) {
        m_lastCommand = id;
        if (id >= ID_FUNCTION_FIRST && id < ID_FUNCTION_FIRST + 9) {
            m_label.SetText(kFunctionNames[id - ID_FUNCTION_FIRST]);
            InvalidateBehindItem(IDC_LABEL);
        }
    }
    return CBkDialogKX::OnCommand(wParam, lParam);
}

LRESULT GalleryDlg::OnKnobChanged(WPARAM, LPARAM) {
    const int position = m_knob.GetPos();
    m_knobPositions.push_back(position);
    SetDlgItemInt(m_hWnd, IDC_KNOB_VALUE, static_cast<UINT>(position), FALSE);
    InvalidateBehindItem(IDC_KNOB_VALUE);
    return 1;
}

void GalleryDlg::OnFunctionMenu() { ShowFunctionMenu(); }

void GalleryDlg::ShowFunctionMenu() {
    CXPMenu menu;
    m_functionItems.assign(9, XPMenuItem{});
    if (!menu.CreatePopupMenu()) return;
    for (int i = 0; i < 9; ++i) {
        m_functionItems[static_cast<std::size_t>(i)].text = kFunctionNames[i];
        menu.AppendOwnerDrawn(0, ID_FUNCTION_FIRST + static_cast<UINT>(i), &m_functionItems[static_cast<std::size_t>(i)]);
    }
    const CRect dialog = GetWindowRect();
    const CRect control = m_functionMenu.GetWindowRect();
    CPoint at(control.left - dialog.left, control.top - dialog.top);
    ClientToScreen(at);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, m_hWnd);
}
