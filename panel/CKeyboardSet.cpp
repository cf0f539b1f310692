#include "CKeyboardSet.h"

#include "CDataExchange.h"
#include "CStyloraApp.h"
#include "KeyBrandPolicies.h"

namespace {

constexpr int kLabelId = 1036;
constexpr int kSaveId = 1038;
constexpr int kCancelId = 1039;
constexpr int kCleanId = 1040;
constexpr DWORD kFlashMilliseconds = 100;

RECT Shrunk(RECT rect, int dx, int dy)
{
    InflateRect(&rect, -dx, -dy);
    return rect;
}

}  // namespace

CKeyboardSet::CKeyboardSet(CWnd* parent)
    : CBkDialogKX(kTemplateId, parent),
      m_keyFile(PanelKeyNamePolicy()),
      m_names(m_keyFile, m_keyFile.Policy()),
      m_recorder(m_names),
      m_layout(PanelKeyboardPolicy())
{
    m_label.SetTextColor(RGB(0, 0, 0));
    m_label.SetBkColor(0xF3F3F3);
    m_label.SetTextFont(6, 12, "System");
}

CKeyboardSet::~CKeyboardSet() = default;

const MessageMap* CKeyboardSet::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnControl<BN_CLICKED, kSaveId, &CKeyboardSet::OnSaveKeys>(),
        OnControl<BN_CLICKED, kCancelId, &CKeyboardSet::OnCancelKeys>(),
        OnControl<BN_CLICKED, kCleanId, &CKeyboardSet::OnCleanKeys>(),
        OnMessage<WM_PAINT, &CKeyboardSet::OnPaint>(),
        OnMessage<WM_LBUTTONDOWN, &CKeyboardSet::OnLButtonDown>(),
        OnMessage<WM_LBUTTONUP, &CKeyboardSet::OnLButtonUp>(),
        OnMessage<WM_SIZE, &CKeyboardSet::OnSize>(),
        OnMessage<WM_CLOSE, &CKeyboardSet::OnClose>(),
    };
    static const MessageMap map(CBkDialogKX::GetThisMessageMap(), entries);
    return &map;
}

void CKeyboardSet::DoDataExchange(CDataExchange* exchange)
{
    CBkDialogKX::DoDataExchange(exchange);
    DDX_Control(exchange, kLabelId, m_label);
}

BOOL CKeyboardSet::OnInitDialog()
{
    CBkDialogKX::OnInitDialog();
    m_recorder.Begin(m_keyBuffer);
    m_label.SetText(m_recorder.SequenceText().c_str());
    const CStyloraApp* app = CStyloraApp::Instance();
    m_layout.SelectLayout(app != nullptr ? app->LanguageIndex() : 0);
    ComputeKeyGeometry();
    if (app != nullptr) {
        SetWindowText(app->UiString(langkeys::Keyboard).c_str());
        ::SetDlgItemTextA(m_hWnd, kCleanId, app->UiString(langkeys::Clean).c_str());
        ::SetDlgItemTextA(m_hWnd, kSaveId, app->UiString(langkeys::Ok).c_str());
        ::SetDlgItemTextA(m_hWnd, kCancelId, app->UiString(langkeys::Cancel).c_str());
    }
    ::EnableWindow(GetDlgItem(kSaveId), TRUE);
    return TRUE;
}

void CKeyboardSet::ComputeKeyGeometry()
{
    const CRect client = GetClientRect();
    m_layout.ComputeKeyGeometry(client.Width(), client.Height());
}

void CKeyboardSet::OnSaveKeys()
{
    m_recorder.Save(m_keyBuffer);
    EmptyKeyList();
    CDialog::OnOK();
}

// Enter saves like the Save button: IDOK always hands back the recorded keys.
void CKeyboardSet::OnOK()
{
    OnSaveKeys();
}

void CKeyboardSet::OnCancelKeys()
{
    OnCancel();
}

// Esc, Cancel and the close box leave the key buffer as the caller wrote it.
void CKeyboardSet::OnCancel()
{
    EmptyKeyList();
    CDialog::OnCancel();
}

void CKeyboardSet::OnClose()
{
    OnCancel();
}

void CKeyboardSet::OnCleanKeys()
{
    m_recorder.Clean();
    m_label.SetText("");
    ::EnableWindow(GetDlgItem(kSaveId), FALSE);
    InvalidateBehindItem(kLabelId);
}

void CKeyboardSet::OnSize(UINT type, int width, int height)
{
    CBkDialogKX::OnSize(type, width, height);
    if (m_hWnd != nullptr && !m_layout.Empty()) {
        ComputeKeyGeometry();
        Invalidate(true);
    }
}

void CKeyboardSet::OnPaint()
{
    {
        CPaintDC validate(m_hWnd);
    }
    DrawKeyboard();
}

void CKeyboardSet::DrawKeyboard()
{
    CClientDC dc(m_hWnd);
    const CRect client = GetClientRect();
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom - KeyboardLayout::kBottomBand);
    CSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    dc.SetBkMode(TRANSPARENT);
    m_layout.ForEachKey(client.right, [&](KEYDEF& key, const KeyRect& r) {
        DrawKey(dc, RECT{r.left, r.top, r.right, r.bottom}, key);
    });
}

void CKeyboardSet::DrawKey(CDC& dc, RECT rect, KEYDEF& key)
{
    RECT face = Shrunk(rect, 1, 1);
    dc.FillSolidRect(face, GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(face, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_3DDKSHADOW));
    face = Shrunk(face, 1, 1);
    dc.Draw3dRect(face, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
    face = Shrunk(face, 3, 1);

    key.label = m_names.KeyCaption(key.keyCode);
    SIZE extent{};
    GetTextExtentPoint32A(dc, key.label.c_str(), static_cast<int>(key.label.size()), &extent);
    const int x = (face.left + face.right) / 2 - extent.cx / 2;
    const int y = (face.top + face.bottom) / 2 - extent.cy / 2;
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    // A caption wider than its key stays on it instead of running over its
    // neighbours; one about as wide may use the key's margins and frame.
    ExtTextOutA(dc, x, y, ETO_CLIPPED, &rect, key.label.c_str(), static_cast<UINT>(key.label.size()), nullptr);
}

void CKeyboardSet::OnLButtonDown(UINT, CPoint point)
{
    const CRect client = GetClientRect();
    for (const auto& [index, r] : m_layout.KeysAt(point.x, point.y, client.right)) {
        OnKeyPressed(m_layout.Keys()[index]);
        FlashKey(RECT{r.left, r.top, r.right, r.bottom});
    }
}

void CKeyboardSet::OnLButtonUp(UINT, CPoint) {}

void CKeyboardSet::FlashKey(RECT rect)
{
    CClientDC dc(m_hWnd);
    RECT face = Shrunk(rect, 1, 1);
    dc.FillSolidRect(face, GetSysColor(COLOR_3DLIGHT));
    dc.Draw3dRect(face, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
    face = Shrunk(face, 1, 1);
    dc.Draw3dRect(face, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_3DDKSHADOW));
    GdiFlush();
    Sleep(kFlashMilliseconds);
    InvalidateRect(rect, true);
}

void CKeyboardSet::OnKeyPressed(const KEYDEF& key)
{
    if (!m_recorder.Press(key.keyCode))
        return;
    ::EnableWindow(GetDlgItem(kSaveId), TRUE);
    m_label.SetText(m_recorder.SequenceText().c_str());
}
