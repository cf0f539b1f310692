#include "CKeyOverlayWnd.h"

#include "CompanionLanguage.h"
#include "OverlayLabels.h"
#include "ServiceCodes.h"
#include "ServiceLink.h"

#include <vector>

namespace {

constexpr UINT_PTR LABEL_TIMER = 256;
constexpr UINT LABEL_DELAY_MS = 500;
constexpr int START_X = 850;
constexpr int START_Y = 450;
constexpr DWORD OVERLAY_STYLE = WS_POPUP | WS_SYSMENU | 0x80;
constexpr BYTE OVERLAY_ALPHA = 200;
constexpr WPARAM CLOSE_REQUEST = 2;
constexpr int LABEL_FONT_HEIGHT = -24;
constexpr COLORREF LABEL_RED = RGB(255, 0, 0);

}  // namespace

CKeyOverlayWnd::CKeyOverlayWnd()
{
    ServiceLink::ForThisSystem().OpenKeyArea(keyArea_, overlay::KEY_SLOTS);
}

const MessageMap* CKeyOverlayWnd::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnMessage<WM_PAINT, &CKeyOverlayWnd::OnPaint>(),
        OnMessage<WM_ERASEBKGND, &CKeyOverlayWnd::OnEraseBkgnd>(),
        OnMessage<WM_LBUTTONDOWN, &CKeyOverlayWnd::OnLButtonDown>(),
        OnMessage<WM_RBUTTONDOWN, &CKeyOverlayWnd::OnRButtonDown>(),
        OnMessage<WM_LBUTTONDBLCLK, &CKeyOverlayWnd::OnLButtonDblClk>(),
        OnMessage<WM_CONTEXTMENU, &CKeyOverlayWnd::OnContextMenu>(),
        OnMessage<WM_TIMER, &CKeyOverlayWnd::OnTimer>(),
        OnMessage<WM_DESTROY, &CKeyOverlayWnd::OnDestroy>(),
        OnMessage<WM_KEYOVERLAY_CLOSE, &CKeyOverlayWnd::OnCloseRequest>(),
    };
    static const MessageMap map{CWnd::GetThisMessageMap(), entries};
    return &map;
}

int CKeyOverlayWnd::BackgroundId() const
{
    return overlay::BackgroundBitmapId(KeyAreaMapped(), overlay::KeyAreaRotation(keyArea_.Bytes(), keyArea_.Size()));
}

HBITMAP CKeyOverlayWnd::LoadBitmapResource(int id) const
{
    return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION | LR_VGACOLOR));
}

bool CKeyOverlayWnd::CreateOverlay(const char* title)
{
    CBitmap background(LoadBitmapResource(BackgroundId()));
    BITMAP info{};
    if (background.GetSafeHandle() != nullptr && GetObjectA(background.GetSafeHandle(), sizeof info, &info)) {
        bitmapWidth_ = info.bmWidth;
        bitmapHeight_ = info.bmHeight;
    }
    const RECT place{START_X, START_Y, START_X + bitmapWidth_, START_Y + bitmapHeight_};
    if (!CreateEx(WS_EX_TOOLWINDOW, RegisterWindowClass(CS_DBLCLKS), title, OVERLAY_STYLE, place, nullptr, 0))
        return false;
    // Flush with the left screen edge, centred vertically.
    SetWindowPos(HWND_TOPMOST, 0, (GetSystemMetrics(SM_CYSCREEN) - bitmapHeight_) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
    ModifyStyleEx(0, WS_EX_LAYERED);
    SetLayeredWindowAttributes(m_hWnd, 0, OVERLAY_ALPHA, LWA_ALPHA);
    SetTimer(LABEL_TIMER, LABEL_DELAY_MS);
    return true;
}

BOOL CKeyOverlayWnd::OnEraseBkgnd(CDC& dc)
{
    CBitmap background(LoadBitmapResource(BackgroundId()));
    if (background.GetSafeHandle() == nullptr)
        return TRUE;
    CMemoryDC memory(dc.GetSafeHdc());
    CSelectObject selected(memory.GetSafeHdc(), background.GetSafeHandle());
    const CRect window = GetWindowRect();
    dc.BitBlt(0, 0, window.Width(), window.Height(), memory.GetSafeHdc(), 0, 0, SRCCOPY);
    return TRUE;
}

void CKeyOverlayWnd::OnPaint()
{
    // The picture comes from the erase step; the labels are drawn once, by the timer.
    CPaintDC validate(m_hWnd);
}

void CKeyOverlayWnd::OnTimer(UINT_PTR id)
{
    if (id == LABEL_TIMER) {
        KillTimer(LABEL_TIMER);
        if (KeyAreaMapped()) {
            const LanguageFile language = ReadCompanionLanguage();
            for (const overlay::Label& label : overlay::BuildLabels(keyArea_.Bytes(), keyArea_.Size(), language))
                DrawLabel(label.place.x, label.place.y, label.text, label.place.rightAligned);
        }
    }
    Default();
}

void CKeyOverlayWnd::DrawLabel(int x, int y, const std::string& text, bool rightAligned)
{
    LOGFONTA description{};
    description.lfHeight = LABEL_FONT_HEIGHT;
    lstrcpynA(description.lfFaceName, "Arial", LF_FACESIZE);
    CFont font;
    font.Attach(CreateFontIndirectA(&description));
    CClientDC dc(m_hWnd);
    dc.SetTextColor(LABEL_RED);
    dc.SetBkMode(TRANSPARENT);
    if (font.GetSafeHandle() == nullptr)
        return;
    CSelectObject selected(dc.GetSafeHdc(), font.GetSafeHandle());
    if (rightAligned) {
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc.GetSafeHdc(), &metrics);
        x = overlay::RightAlignedLeft(x, text.size(), metrics.tmAveCharWidth);
    }
    dc.TextOut(x, y, text);
}

void CKeyOverlayWnd::OnLButtonDown(UINT, CPoint point)
{
    Default();
    // Dragging by the picture: the press is taken as one on a caption.
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

void CKeyOverlayWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
    SendMessage(WM_CLOSE);
}

void CKeyOverlayWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }

void CKeyOverlayWnd::OnContextMenu(HWND, CPoint) {}

void CKeyOverlayWnd::OnDestroy()
{
    Default();
    // Closing the overlay ends the program.
    PostQuitMessage(0);
}

LRESULT CKeyOverlayWnd::OnCloseRequest(WPARAM wParam, LPARAM)
{
    if (wParam == CLOSE_REQUEST)
        SendMessage(WM_CLOSE);
    return 1;
}
