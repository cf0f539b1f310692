#include "CTiltDialWnd.h"

#include "CWinApp.h"
#include "res/ids_pen.h"

namespace {

constexpr COLORREF kMarkerColour = RGB(255, 0, 255);

}  // namespace

const MessageMap* CTiltDialWnd::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnMessage<WM_CREATE, &CTiltDialWnd::OnCreate>(),
        OnMessage<WM_PAINT, &CTiltDialWnd::OnPaint>(),
        OnMessage<kSetMarkerMessage, &CTiltDialWnd::OnSetMarker>(),
        OnMessage<kSetNeedleMessage, &CTiltDialWnd::OnSetNeedle>(),
        OnMessage<WM_DESTROY, &CTiltDialWnd::OnDestroy>(),
    };
    static const MessageMap map{CWnd::GetThisMessageMap(), entries};
    return &map;
}

bool CTiltDialWnd::CreateClockWindow(HWND parent, int x, int y)
{
    // A second registration fails and changes nothing.
    RegisterNamedClass(kClassName, CS_HREDRAW | CS_VREDRAW, LoadCursor(nullptr, IDC_ARROW),
                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    const RECT rect{x, y, x + TiltDial::kSize, y + TiltDial::kSize};
    if (!CreateEx(0, kClassName, "", WS_CHILD, rect, parent, 0))
        return false;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return true;
}

void CTiltDialWnd::InvalidateDial()
{
    const RECT dial{0, 0, TiltDial::kSize, TiltDial::kSize};
    InvalidateRect(dial, true);
}

int CTiltDialWnd::OnCreate(CREATESTRUCTA*)
{
    CClientDC windowDc(m_hWnd);
    if (windowDc.GetSafeHdc() != nullptr && m_faceDc.CreateCompatibleDC(windowDc)) {
        m_face.Attach(static_cast<HBITMAP>(LoadImageA(CWinApp::ResourceHandle(), MAKEINTRESOURCEA(IDB_TILT_DIAL_FACE),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_VGACOLOR)));
        if (m_face)
            ::SelectObject(m_faceDc, m_face);
    }
    return 0;
}

void CTiltDialWnd::OnPaint()
{
    // Everything is drawn inside the paint cycle, after the background was
    // erased: drawn before it, the erase would wipe the dial out.
    CPaintDC dc(m_hWnd);
    SIZE faceSize{};
    if (m_face && m_face.GetSize(faceSize))
        StretchBlt(dc, 0, 0, TiltDial::kSize, TiltDial::kSize, m_faceDc, 0, 0, faceSize.cx, faceSize.cy, SRCCOPY);
    const DialPoint needle = m_dial.NeedleEnd();
    MoveToEx(dc, TiltDial::kCentre, TiltDial::kCentre, nullptr);
    LineTo(dc, needle.x, needle.y);

    CPen markerPen(PS_SOLID, 2, kMarkerColour);
    CSelectObject selected(dc, markerPen);
    const DialPoint marker = m_dial.MarkerEnd();
    MoveToEx(dc, TiltDial::kCentre, TiltDial::kCentre, nullptr);
    LineTo(dc, marker.x, marker.y);
}

LRESULT CTiltDialWnd::OnSetMarker(WPARAM wParam, LPARAM)
{
    m_dial.SetMarker(static_cast<uint32_t>(wParam));
    InvalidateDial();
    return Default();
}

LRESULT CTiltDialWnd::OnSetNeedle(WPARAM wParam, LPARAM lParam)
{
    m_dial.SetNeedle(static_cast<double>(wParam), static_cast<double>(lParam));
    InvalidateDial();
    return Default();
}

void CTiltDialWnd::OnDestroy()
{
    m_faceDc.DeleteDC();
    m_face.DeleteObject();
    PostQuitMessage(0);
    Default();
}
