#include "CPressureCurveWnd.h"

#include "CWinApp.h"
#include "res/ids_pen.h"

namespace {

constexpr COLORREF kCurveColour = RGB(255, 0, 255);
constexpr COLORREF kMarkerColour = 0x0000FF;

}  // namespace

const MessageMap* CPressureCurveWnd::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnMessage<WM_CREATE, &CPressureCurveWnd::OnCreate>(),
        OnMessage<WM_PAINT, &CPressureCurveWnd::OnPaint>(),
        OnMessage<kSetMessage, &CPressureCurveWnd::OnSet>(),
        OnMessage<kRedrawMessage, &CPressureCurveWnd::OnRedraw>(),
        OnMessage<WM_DESTROY, &CPressureCurveWnd::OnDestroy>(),
    };
    static const MessageMap map{CWnd::GetThisMessageMap(), entries};
    return &map;
}

CPressureCurveWnd::~CPressureCurveWnd() = default;

bool CPressureCurveWnd::CreatePressureCurveWindow(HWND parent, int x, int y)
{
    // A second registration fails and changes nothing.
    RegisterNamedClass(kClassName, CS_HREDRAW | CS_VREDRAW, LoadCursor(nullptr, IDC_ARROW),
                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    const RECT rect{x, y, x + PressureCurve::kSize, y + PressureCurve::kSize};
    if (!CreateEx(0, kClassName, "", WS_CHILD | WS_BORDER, rect, parent, 0))
        return false;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return true;
}

int CPressureCurveWnd::OnCreate(CREATESTRUCTA*)
{
    m_windowDc = ::GetDC(m_hWnd);
    if (m_windowDc != nullptr && m_gridDc.CreateCompatibleDC(m_windowDc)) {
        // A missing picture leaves the memory DC empty; the curve is still drawn.
        m_grid.Attach(static_cast<HBITMAP>(LoadImageA(CWinApp::ResourceHandle(),
                                                      MAKEINTRESOURCEA(IDB_PRESSURE_CURVE_GRID), IMAGE_BITMAP, 0,
                                                      0, LR_CREATEDIBSECTION | LR_VGACOLOR)));
        if (m_grid)
            ::SelectObject(m_gridDc, m_grid);
    }
    m_curve.Reset();
    return 0;
}

void CPressureCurveWnd::OnPaint()
{
    // The drawing follows the default painting, which validates and erases.
    PostMessage(kRedrawMessage, 0, 0);
    Default();
}

LRESULT CPressureCurveWnd::OnSet(WPARAM wParam, LPARAM lParam)
{
    if (m_curve.OnSetMessage(wParam, lParam))
        Draw();
    return Default();
}

LRESULT CPressureCurveWnd::OnRedraw(WPARAM, LPARAM)
{
    Draw();
    return Default();
}

void CPressureCurveWnd::OnDestroy()
{
    m_gridDc.DeleteDC();
    m_grid.DeleteObject();
    if (m_windowDc != nullptr)
        ::ReleaseDC(m_hWnd, m_windowDc);
    m_windowDc = nullptr;
    PostQuitMessage(0);
    Default();
}

void CPressureCurveWnd::Draw()
{
    if (m_windowDc == nullptr)
        return;
    const CRect client = GetClientRect();
    SIZE gridSize{};
    if (m_grid && m_grid.GetSize(gridSize))
        StretchBlt(m_windowDc, 0, 0, client.Width(), client.Height(), m_gridDc, 0, 0, gridSize.cx, gridSize.cy,
                   SRCCOPY);

    POINT points[PressureCurve::kPointCount];
    for (int i = 0; i < PressureCurve::kPointCount; ++i)
        points[i] = POINT{m_curve.PointAt(i).x, m_curve.PointAt(i).y};
    CPen curvePen(PS_SOLID, 2, kCurveColour);
    CPen markerPen(PS_DOT, 1, kMarkerColour);
    {
        CSelectObject selected(m_windowDc, curvePen);
        MoveToEx(m_windowDc, points[0].x, points[0].y, nullptr);
        PolylineTo(m_windowDc, points, PressureCurve::kPointCount);
    }
    {
        CSelectObject selected(m_windowDc, markerPen);
        MoveToEx(m_windowDc, m_curve.MarkerX(), 0, nullptr);
        LineTo(m_windowDc, m_curve.MarkerX(), PressureCurve::kSize);
    }
}
