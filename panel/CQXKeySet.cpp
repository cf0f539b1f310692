#include "CQXKeySet.h"

#include "CDataExchange.h"
#include "CStyloraApp.h"
#include "CXPMenu.h"
#include "ExpressKeyActions.h"
#include "KeyBrandPolicies.h"
#include "ServiceCodes.h"
#include "ServiceSave.h"
#include "UiSeams.h"
#include "resource.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_SUNKEN | SS_NOTIFY;
constexpr DWORD kCheckBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr COLORREF kTipColour = RGB(255, 0, 0);
constexpr size_t kComboTextLimit = 128;
constexpr int kMenuEntries = 9;

int LanguageIndex()
{
    const CStyloraApp* app = CStyloraApp::Instance();
    return app != nullptr ? app->LanguageIndex() : 0;
}

std::string UiText(langkeys::UiString which)
{
    const CStyloraApp* app = CStyloraApp::Instance();
    return app != nullptr ? app->UiString(which) : std::string(langkeys::UiStringKey(which).english);
}

// The labels in id order: 8192..8195, 8208..8211, 8224..8227, 8240..8243.
int LabelIndexOf(int id)
{
    const int group = (id - 8192) / 16;
    const int offset = (id - 8192) % 16;
    return group >= 0 && group < 4 && offset < 4 ? group * 4 + offset : -1;
}

}  // namespace

bool CQXKeySet::s_hasKeypad = false;

CQXKeySet::CQXKeySet(CWnd* parent)
    : CBkDialogKX(kTemplateId, parent),
      m_keyboard(this),
      m_launch(this),
      m_settings(m_programFiles, m_files, PanelSettingsFilePolicy()),
      m_storage(m_files, m_settings, PanelKeyStoragePolicy()),
      m_keyFile(PanelKeyNamePolicy()),
      m_names(m_keyFile, m_keyFile.Policy())
{
}

CQXKeySet::~CQXKeySet() = default;

const MessageMap* CQXKeySet::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnControl<BN_CLICKED, 8192, &CQXKeySet::OnKeyLabelClicked<8192>>(),
        OnControl<BN_CLICKED, 8193, &CQXKeySet::OnKeyLabelClicked<8193>>(),
        OnControl<BN_CLICKED, 8194, &CQXKeySet::OnKeyLabelClicked<8194>>(),
        OnControl<BN_CLICKED, 8195, &CQXKeySet::OnKeyLabelClicked<8195>>(),
        OnControl<BN_CLICKED, 8208, &CQXKeySet::OnKeyLabelClicked<8208>>(),
        OnControl<BN_CLICKED, 8209, &CQXKeySet::OnKeyLabelClicked<8209>>(),
        OnControl<BN_CLICKED, 8210, &CQXKeySet::OnKeyLabelClicked<8210>>(),
        OnControl<BN_CLICKED, 8211, &CQXKeySet::OnKeyLabelClicked<8211>>(),
        OnControl<BN_CLICKED, 8224, &CQXKeySet::OnKeyLabelClicked<8224>>(),
        OnControl<BN_CLICKED, 8225, &CQXKeySet::OnKeyLabelClicked<8225>>(),
        OnControl<BN_CLICKED, 8226, &CQXKeySet::OnKeyLabelClicked<8226>>(),
        OnControl<BN_CLICKED, 8227, &CQXKeySet::OnKeyLabelClicked<8227>>(),
        OnControl<BN_CLICKED, 8240, &CQXKeySet::OnKeyLabelClicked<8240>>(),
        OnControl<BN_CLICKED, 8241, &CQXKeySet::OnKeyLabelClicked<8241>>(),
        OnControl<BN_CLICKED, 8242, &CQXKeySet::OnKeyLabelClicked<8242>>(),
        OnControl<BN_CLICKED, 8243, &CQXKeySet::OnKeyLabelClicked<8243>>(),
        OnControl<CBN_SELENDOK, IDC_TABLET_ID, &CQXKeySet::OnSelEndOkTabletId>(),
    };
    static const MessageMap map(CBkDialogKX::GetThisMessageMap(), entries);
    return &map;
}

void CQXKeySet::DoDataExchange(CDataExchange* exchange)
{
    CBkDialogKX::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_TABLET_ID, m_tabletIds);
}

BOOL CQXKeySet::OnInitDialog()
{
    CBkDialogKX::OnInitDialog();
    SetItemTextRedraw(IDC_TABLET_ID_LABEL, CStyloraApp::LanguageText(LanguageIndex(), langkeys::kTabletId).c_str());
    m_tips.CreateTipWindow(this);

    const CStyloraApp* app = CStyloraApp::Instance();
    if (app == nullptr || !app->Link().OpenKeyArea(m_keyArea)) {
        EndDialog(IDOK);
        return FALSE;
    }
    const TABLETINFO& current = KeyArea().head()->record.info;
    const int slotCount = LoadTabletKeys(current.VID, current.PID);
    if (slotCount == -1)
        return FALSE;
    if (!LoadBackground(slotCount)) {
        EndDialog(IDOK);
        return FALSE;
    }
    if (PanelKeyPagePolicy().hasLargeLayout)
        ChooseFirstNonKeypadTablet();
    return TRUE;
}

bool CQXKeySet::LoadBackground(int32_t slotCount)
{
    const CRect client = GetClientRect();
    const UINT id = express_keys::UsesLargeBackground(slotCount, PanelKeyPagePolicy()) ? IDB_KEY_PAGE_LARGE
                                                                                       : IDB_KEY_PAGE;
    HANDLE bitmap = LoadImageA(CWinApp::ResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, client.Width(),
                               client.Height(), LR_CREATEDIBSECTION | LR_VGACOLOR);
    return bitmap != nullptr && SetBitmap(static_cast<HBITMAP>(bitmap)) == 0;
}

// A keypad of its own (0x7C31) is passed over: the page shows the first tablet.
void CQXKeySet::ChooseFirstNonKeypadTablet()
{
    for (int i = 0; i < m_tabletIds.GetCount(); ++i) {
        const unsigned long pid = std::strtoul(m_tabletIds.GetLBText(i).c_str(), nullptr, 16);
        if (pid == express_keys::kKeypadOnlyPid) {
            s_hasKeypad = false;
            continue;
        }
        m_tabletIds.SetCurSel(i);
        OnSelEndOkTabletId();
        s_hasKeypad = true;
        return;
    }
}

bool CQXKeySet::HasNoExpressKeys()
{
    return PanelKeyPagePolicy().hasLargeLayout && !s_hasKeypad;
}

int CQXKeySet::LoadTabletKeys(uint16_t vid, uint16_t pid)
{
    CStyloraApp* app = CStyloraApp::Instance();
    const int count = app != nullptr ? app->EnumConnectedTablets() : 0;
    if (count <= 0) {
        AfxMessageBox(UiText(langkeys::NoTabletAlert).c_str(), MB_OK);
        EndDialog(IDOK);
        return -1;
    }
    const TABLETINFO* list = app->TabletList();
    for (int i = 0; i < count; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "%X", list[i].PID);
        const int entry = m_tabletIds.AddString(text);
        // Each entry keeps its own vendor id: another vendor's tablet is found by it again.
        m_tabletIds.SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(entry), list[i].VID);
    }
    const int chosen = m_storage.LoadTabletKeys(list, count, vid, pid, KeyArea(), m_block);
    m_tabletIds.SetCurSel(chosen);
    m_productId = list[chosen].PID;
    app->FreeTabletList();

    const int32_t slotCount = m_block.Head().info.keyCount;
    BuildKeyControls(slotCount);
    if (!express_keys::UsesLargeBackground(slotCount, PanelKeyPagePolicy()))
        DisableForKeypadModel();
    return slotCount;
}

void CQXKeySet::BuildKeyControls(int32_t slotCount)
{
    const HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    for (const ExpressKeyControl& control : express_keys::LayoutFor(slotCount, PanelKeyPagePolicy())) {
        const RECT rect{control.left, control.top, control.right, control.bottom};
        CWnd* window = ControlOf(control.id);
        if (window == nullptr)
            continue;
        if (!control.checkBox) {
            const std::string text = SlotLabelText(control.slot);
            static_cast<CStatic*>(window)->Create(text.c_str(), kLabelStyle, rect, m_hWnd, control.id);
            window->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            m_tips.AddTool(window, text, kTipColour);
            continue;
        }
        CButtonKX& box = *static_cast<CButtonKX*>(window);
        box.Create(CheckBoxCaption().c_str(), kCheckBoxStyle, rect, m_hWnd, control.id);
        box.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        box.SetIcon(IDI_KEY_CHECK_ON, IDI_KEY_CHECK_OFF);
        box.SetTransparent(false);
        const KEYACTION* slot = m_block.Slot(control.slot);
        box.SetCheck(slot != nullptr ? static_cast<uint8_t>(slot->data[0]) : 0, true);
        m_tips.AddTool(&box, CheckBoxTip(box.GetCheck()), kTipColour);
    }
}

// The keys of the keypad model shown in the key area are not this tablet's.
void CQXKeySet::DisableForKeypadModel()
{
    if (!PanelKeyPagePolicy().disablesForKeypadModel ||
        KeyArea().head()->record.info.PID != express_keys::kKeypadModelPid)
        return;
    for (int id : {8192, 8193, 8194, 8195, 8208, 8209, 8210, 8211, express_keys::kStripBoxId,
                   express_keys::kRingBoxId}) {
        CWnd* control = ControlOf(id);
        if (control != nullptr && control->GetSafeHwnd() != nullptr)
            control->EnableWindow(false);
    }
}

void CQXKeySet::DestroyKeyControls()
{
    for (CStatic& label : m_labels)
        if (label.GetSafeHwnd() != nullptr)
            label.DestroyWindow();
    for (CButtonKX& box : m_checkBoxes)
        if (box.GetSafeHwnd() != nullptr)
            box.DestroyWindow();
}

CWnd* CQXKeySet::ControlOf(int id)
{
    if (id == express_keys::kStripBoxId)
        return &m_checkBoxes[0];
    if (id == express_keys::kRingBoxId)
        return &m_checkBoxes[1];
    const int index = LabelIndexOf(id);
    return index >= 0 && express_keys::SlotOfControl(id, PanelKeyPagePolicy()) >= 0
               ? &m_labels[static_cast<size_t>(index)]
               : nullptr;
}

KEYACTION* CQXKeySet::SlotOfKey(int id)
{
    if (id == express_keys::kStripBoxId || id == express_keys::kRingBoxId)
        return nullptr;
    return m_block.Slot(express_keys::SlotOfControl(id, PanelKeyPagePolicy()));
}

std::string CQXKeySet::MenuText(uint32_t code) const
{
    char text[64] = {};
    CStyloraApp::GetFunctionMenuText(LanguageIndex(), code, text);
    text[sizeof text - 1] = '\0';
    return text;
}

std::string CQXKeySet::SlotLabelText(int slot) const
{
    const KEYACTION* action = m_block.Slot(slot);
    if (action == nullptr)
        return {};
    return key_actions::LabelText(*action, m_names, [this](uint32_t code) { return MenuText(code); });
}

std::string CQXKeySet::CheckBoxCaption() const
{
    return UiText(langkeys::Enable) + "/" + UiText(langkeys::Disable);
}

std::string CQXKeySet::CheckBoxTip(int check) const
{
    return UiText(check == 1 ? langkeys::Disable : langkeys::Enable);
}

void CQXKeySet::RefreshLabel(int id, const std::string& text)
{
    CWnd* label = ControlOf(id);
    if (label == nullptr || label->GetSafeHwnd() == nullptr)
        return;
    label->SetWindowText(text.c_str());
    InvalidateBehindItem(id);
    m_tips.AddTool(label, text, kTipColour);
}

void CQXKeySet::OnKeyButtonClicked(int id)
{
    m_currentKeyId = id;
    ShowFunctionMenu(id);
}

void CQXKeySet::ShowFunctionMenu(int labelId)
{
    CWnd* label = ControlOf(labelId);
    if (label == nullptr || label->GetSafeHwnd() == nullptr)
        return;
    CXPMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    std::vector<XPMenuItem> items(kMenuEntries);
    for (int i = 0; i < kMenuEntries; ++i) {
        items[static_cast<size_t>(i)].text = MenuText(static_cast<uint32_t>(i));
        menu.AppendOwnerDrawn(0, static_cast<UINT_PTR>(key_actions::kFirstMenuCommand + i),
                              &items[static_cast<size_t>(i)]);
    }
    const CRect page = GetWindowRect();
    const CRect rect = label->GetWindowRect();
    CPoint at(rect.left - page.left, rect.top - page.top);
    ClientToScreen(at);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, at.x, at.y, m_hWnd);
}

BOOL CQXKeySet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == express_keys::kStripBoxId || id == express_keys::kRingBoxId) {
        const BOOL result = CBkDialogKX::OnCommand(wParam, lParam);
        OnCheckBoxClicked(id);
        return result;
    }
    if (id == key_actions::kKeystrokeCommand)
        RunKeyboard();
    else if (id == key_actions::kLaunchCommand)
        RunLaunchDialog();
    else if (id >= key_actions::kFirstMenuCommand && id <= key_actions::kLastMenuCommand) {
        RefreshLabel(m_currentKeyId, MenuText(static_cast<uint32_t>(id - key_actions::kFirstMenuCommand)));
        SetKeyFunction(id, nullptr);
    }
    return CBkDialogKX::OnCommand(wParam, lParam);
}

void CQXKeySet::RunKeyboard()
{
    const KEYACTION* slot = SlotOfKey(m_currentKeyId);
    if (slot == nullptr)
        return;
    // Only a keystroke's bytes are key codes; anything else starts an empty keyboard.
    key_actions::KeystrokeBuffer(*slot, m_keyboard.m_keyBuffer, sizeof m_keyboard.m_keyBuffer);
    if (m_keyboard.DoModal() != IDOK)
        return;
    SetKeyFunction(key_actions::kKeystrokeCommand, m_keyboard.m_keyBuffer);
    RefreshLabel(m_currentKeyId, SlotLabelText(express_keys::SlotOfControl(m_currentKeyId, PanelKeyPagePolicy())));
}

void CQXKeySet::RunLaunchDialog()
{
    if (SlotOfKey(m_currentKeyId) == nullptr || m_launch.DoModal() != IDOK)
        return;
    uint8_t record[key_actions::kLaunchRecordSize];
    key_actions::BuildLaunchRecord(m_launch.m_path, m_launch.m_parameters, record);
    SetKeyFunction(key_actions::kLaunchCommand, record);
    RefreshLabel(m_currentKeyId, key_actions::LaunchPath(*SlotOfKey(m_currentKeyId)));
}

void CQXKeySet::SetKeyFunction(int command, const uint8_t* data)
{
    if (KEYACTION* slot = SlotOfKey(m_currentKeyId))
        key_actions::SetKeyFunction(*slot, command, data);
}

void CQXKeySet::OnCheckBoxClicked(int id)
{
    CButtonKX& box = m_checkBoxes[id == express_keys::kStripBoxId ? 0 : 1];
    const int check = box.GetCheck();
    m_tips.AddTool(&box, CheckBoxTip(check), kTipColour);
    KEYACTION* slot =
        m_block.Slot(id == express_keys::kStripBoxId ? express_keys::kStripSlot : express_keys::kRingSlot);
    if (slot == nullptr)
        return;
    slot->actionCode = ACTION_STRIP;
    slot->data[0] = static_cast<char>(check == 1 ? 1 : 0);
}

void CQXKeySet::OnSelEndOkTabletId()
{
    const int selected = m_tabletIds.GetCurSel();
    if (selected < 0)
        return;
    const std::string text = m_tabletIds.GetLBText(selected).substr(0, kComboTextLimit);
    const unsigned long pid = std::strtoul(text.c_str(), nullptr, 16);
    if (pid == m_productId)
        return;
    const auto vid = static_cast<uint16_t>(m_tabletIds.SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(selected)));
    DestroyKeyControls();
    m_tabletIds.ResetContent();
    m_block.Free();
    LoadTabletKeys(vid, static_cast<uint16_t>(pid));
}

void CQXKeySet::ApplyLanguage(int index)
{
    SetItemTextRedraw(IDC_TABLET_ID_LABEL, CStyloraApp::LanguageText(index, langkeys::kTabletId).c_str());
    if (m_block.Empty())
        return;
    for (const ExpressKeyControl& control :
         express_keys::LayoutFor(m_block.Head().info.keyCount, PanelKeyPagePolicy())) {
        CWnd* window = ControlOf(control.id);
        if (window == nullptr || window->GetSafeHwnd() == nullptr)
            continue;
        if (!control.checkBox) {
            RefreshLabel(control.id, SlotLabelText(control.slot));
            continue;
        }
        CButtonKX& box = *static_cast<CButtonKX*>(window);
        box.SetWindowText(CheckBoxCaption().c_str());
        InvalidateBehindItem(control.id);
        m_tips.AddTool(&box, CheckBoxTip(box.GetCheck()), kTipColour);
    }
}

BOOL CQXKeySet::PreTranslateMessage(MSG* message)
{
    if (m_tips.GetSafeHwnd() != nullptr)
        m_tips.RelayEvent(message);
    return CBkDialogKX::PreTranslateMessage(message);
}

int CQXKeySet::SendKeysToDriver()
{
    const CStyloraApp* app = CStyloraApp::Instance();
    if (app == nullptr || m_block.Empty())
        return 0;
    const TABLETINFO device = m_block.Head().info;
    SaveRequest keys;
    keys.command = CMD_SAVE_KEYS;
    keys.publishFields = [this] { m_storage.PublishKeys(m_block, KeyArea(), true); };
    keys.writeDirectly = [this] { return m_storage.SaveToDeviceFile(m_block, KeyArea()) == 1; };
    keys.reload = ReloadEvent::Keys;
    keys.vid = device.VID;
    keys.pid = device.PID;
    return ServiceSave(*app).Run(keys) != SaveResult::Failed ? 1 : 0;
}
