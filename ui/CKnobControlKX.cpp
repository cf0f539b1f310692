#include "CKnobControlKX.h"

#include <algorithm>
#include <cmath>

using namespace Gdiplus;

CKnobControlKX::CKnobControlKX()
    : m_knobColour(KnobGeometry::ArgbFromColorref(GetSysColor(COLOR_BTNHIGHLIGHT))),
      m_backgroundColour(KnobGeometry::ArgbFromColorref(GetSysColor(COLOR_BTNHIGHLIGHT))) {
    ClearIcon(false);
}

CKnobControlKX::~CKnobControlKX() { ClearIcon(true); }

const MessageMap* CKnobControlKX::GetThisMessageMap() {
    static const MapEntry entries[] = {
        OnMessage<WM_PAINT, &CKnobControlKX::OnPaint>(),
        OnMessage<WM_ERASEBKGND, &CKnobControlKX::OnEraseBkgnd>(),
        OnReflectedCtlColor<&CKnobControlKX::CtlColor>(),
        OnMessage<WM_LBUTTONDOWN, &CKnobControlKX::OnLButtonDown>(),
        OnMessage<WM_LBUTTONUP, &CKnobControlKX::OnLButtonUp>(),
        OnMessage<WM_MOUSEMOVE, &CKnobControlKX::OnMouseMove>(),
        OnMessage<WM_MOUSEWHEEL, &CKnobControlKX::OnMouseWheel>(),
    };
    static const MessageMap map(CWnd::GetThisMessageMap(), entries);
    return &map;
}

// ---- settings ------------------------------------------------------------------

void CKnobControlKX::SetTickStep(int step, bool repaint) {
    m_tickStep = step;
    if (repaint && m_hWnd) Invalidate(true);
}

void CKnobControlKX::SetPageStep(int step, bool repaint) {
    m_pageStep = step;
    if (repaint && m_hWnd) Invalidate(true);
}

void CKnobControlKX::SetTickColor(std::uint32_t argb, bool repaint) {
    m_tickColour = argb;
    if (repaint && m_hWnd) Invalidate(true);
}

int CKnobControlKX::SetTransparent(bool repaint) {
    m_transparent = 1;
    if (repaint && m_hWnd) Invalidate(true);
    return 0;
}

int CKnobControlKX::SetNotify(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    m_notifyWindow = window;
    m_notifyMessage = message;
    m_notifyWParam = wParam;
    m_notifyLParam = lParam;
    return 0;
}

void CKnobControlKX::SendNotify() {
    if (m_notifyWindow) ::SendMessageA(m_notifyWindow, m_notifyMessage, m_notifyWParam, m_notifyLParam);
}

void CKnobControlKX::ClearIcon(bool destroy) {
    if (destroy && m_icon) DestroyIcon(m_icon);
    m_icon = nullptr;
    m_iconWidth = m_iconHeight = 0;
}

void CKnobControlKX::CreateTooltip() {
    if (m_toolTip.GetSafeHwnd() || !m_hWnd) return;
    if (m_toolTip.Create(m_hWnd, 0)) {
        m_toolTip.Activate(false);
        m_toolTip.SetMaxTipWidth(400);
    }
}

// ---- geometry through the track bar's range ----------------------------------

int CKnobControlKX::PointToValue(int x, int y) const { return KnobGeometry::PointToValue(x, y, m_centre, Range()); }

CPoint CKnobControlKX::PointerPosition(const KnobSquare& square) const {
    return KnobGeometry::PointerPosition(square, GetPos(), Range());
}

CPoint CKnobControlKX::TickPoint(int inset, int value, const KnobSquare& square) const {
    return KnobGeometry::TickPoint(inset, value, square, Range());
}

// ---- drawing -----------------------------------------------------------------

void CKnobControlKX::Draw3DArc(Graphics& graphics, int x, int y, int width, int height, const Pen& pen) {
    Color colour;
    const std::uint32_t base = pen.GetColor(&colour) == Ok ? colour.GetValue() : 0xFF000000;
    Pen lighter(Color(KnobGeometry::ShiftColor(base, 50)), 1.0f);
    Pen darker(Color(KnobGeometry::ShiftColor(base, -50)), 1.0f);
    const int passes = static_cast<int>(pen.GetWidth());
    for (int i = 0; i < std::max(passes, 1) && i < width / 2; ++i) {
        graphics.DrawArc(&lighter, x + i, y + i, width - 2 * i, height - 2 * i, -45.0f, 180.0f);
        graphics.DrawArc(&darker, x + i, y + i, width - 2 * i, height - 2 * i, 135.0f, 180.0f);
    }
}

void CKnobControlKX::DrawBackground(Graphics& graphics, const Rect&) { graphics.Clear(Color(m_backgroundColour)); }

void CKnobControlKX::DrawIcon(Graphics& graphics, const Rect& square) {
    Bitmap picture(m_icon);
    graphics.DrawImage(&picture, square.X + (square.Width - m_iconWidth) / 2,
                       square.Y + (square.Height - m_iconHeight) / 2);
}

void CKnobControlKX::DrawKnob(Graphics& target) {
    const CRect client = GetClientRect();
    if (client.Width() <= 0 || client.Height() <= 0) return;
    Pen outline(Color(m_knobColour), 1.0f);
    Pen tickPen(Color(m_tickColour), 1.0f);
    Bitmap image(client.Width(), client.Height(), PixelFormat32bppARGB);
    Graphics graphics(&image);
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);

    m_square = KnobGeometry::SquareForClient(client.Width(), client.Height());
    m_centre = KnobGeometry::Centre(m_square);
    const Rect square(m_square.x, m_square.y, m_square.width, m_square.height);
    LinearGradientBrush gradient(square, Color(KnobGeometry::ShiftColor(m_knobColour, 55)),
                                 Color(KnobGeometry::ShiftColor(m_knobColour, -25)),
                                 LinearGradientModeForwardDiagonal);
    gradient.SetWrapMode(WrapModeTile);

    if (!m_transparent) DrawBackground(graphics, Rect(0, 0, client.Width(), client.Height()));
    graphics.FillEllipse(&gradient, square);
    graphics.DrawEllipse(&outline, square);
    if (::GetFocus() == m_hWnd) {
        Pen focus(Color(KnobGeometry::ShiftColor(m_knobColour, -40)), 1.0f);
        focus.SetDashStyle(DashStyleDash);
        focus.SetDashCap(DashCapFlat);
        graphics.DrawEllipse(&focus, square);
    }
    const CPoint pointer = PointerPosition(m_square);
    Draw3DArc(graphics, pointer.x - 5, pointer.y - 5, 10, 10, outline);

    // Steps below 1 would never advance: such marks are not drawn.
    const int minimum = GetRangeMin();
    if (m_pageStep > 0) {
        for (long long v = minimum; v <= GetRangeMax(); v += m_pageStep) {
            const CPoint from = TickPoint(0, static_cast<int>(v), m_square);
            const CPoint to = TickPoint(3, static_cast<int>(v), m_square);
            graphics.DrawLine(&tickPen, static_cast<INT>(from.x), static_cast<INT>(from.y), static_cast<INT>(to.x),
                              static_cast<INT>(to.y));
        }
    }
    if (m_tickStep > 0) {
        for (long long v = minimum; v <= GetRangeMax(); v += m_tickStep) {
            const CPoint from = TickPoint(0, static_cast<int>(v), m_square);
            const CPoint to = TickPoint(2, static_cast<int>(v), m_square);
            graphics.DrawLine(&tickPen, static_cast<INT>(from.x), static_cast<INT>(from.y), static_cast<INT>(to.x),
                              static_cast<INT>(to.y));
        }
    }
    if (m_icon) DrawIcon(graphics, square);
    target.DrawImage(&image, 0, 0);
}

void CKnobControlKX::OnPaint() {
    CPaintDC dc(m_hWnd);
    Graphics graphics(dc.GetSafeHdc());
    DrawKnob(graphics);
}

BOOL CKnobControlKX::OnEraseBkgnd(CDC&) { return FALSE; }

HBRUSH CKnobControlKX::CtlColor(CDC&, UINT) { return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); }

// ---- input -------------------------------------------------------------------

void CKnobControlKX::MoveTo(int value) {
    SetPos(value);  // TBM_SETPOS with redraw; the track bar keeps it in range
    Invalidate(true);
    SendNotify();
}

bool CKnobControlKX::HandleKey(UINT key) {
    const int position = GetPos(), minimum = GetRangeMin(), maximum = GetRangeMax();
    switch (key) {
    case VK_PRIOR: MoveTo(static_cast<int>(std::min<long long>(static_cast<long long>(position) + m_pageStep, maximum))); return true;
    case VK_NEXT: MoveTo(static_cast<int>(std::max<long long>(static_cast<long long>(position) - m_pageStep, minimum))); return true;
    case VK_END:
        if (position != minimum) MoveTo(minimum);
        return true;
    case VK_HOME:
        if (position != maximum) MoveTo(maximum);
        return true;
    case VK_LEFT:
    case VK_DOWN:
        if (position > minimum) MoveTo(position - 1);
        return true;
    case VK_UP:
    case VK_RIGHT:
        if (position < maximum) MoveTo(position + 1);
        return true;
    default: return false;
    }
}

BOOL CKnobControlKX::PreTranslateMessage(MSG* message) {
    CreateTooltip();
    if (m_toolTip.GetSafeHwnd()) m_toolTip.RelayEvent(message);
    if (message->message == WM_KEYDOWN && message->hwnd == m_hWnd && HandleKey(static_cast<UINT>(message->wParam))) {
        return TRUE;
    }
    return CSliderCtrl::PreTranslateMessage(message);
}

// The track bar's own button handling would page toward a press beside its
// thumb (and keep paging on a timer) without telling anyone: the knob takes
// the focus and the mouse itself instead.
void CKnobControlKX::OnLButtonDown(UINT, CPoint point) {
    SetFocus();
    SetCapture(m_hWnd);
    if (m_square.Contains(point.x, point.y)) m_dragging = 1;
}

void CKnobControlKX::OnMouseMove(UINT, CPoint point) {
    if (!m_dragging) return;
    MoveTo(PointToValue(point.x, point.y));
}

void CKnobControlKX::OnLButtonUp(UINT, CPoint point) {
    m_dragging = 0;
    if (::GetCapture() == m_hWnd) ReleaseCapture();
    if (m_square.Contains(point.x, point.y)) MoveTo(PointToValue(point.x, point.y));
}

void CKnobControlKX::EndDragAtCursor() {
    if (m_dragging) {
        m_dragging = 0;
        if (::GetCapture() == m_hWnd) ReleaseCapture();
    }
    POINT cursor{};
    if (!::GetCursorPos(&cursor) || !::ScreenToClient(m_hWnd, &cursor)) return;
    if (m_square.Contains(cursor.x, cursor.y)) MoveTo(PointToValue(cursor.x, cursor.y));
}

// One notch of the wheel moves by the system's scroll lines, forward toward
// the minimum as the track bar does; partial notches add up.
BOOL CKnobControlKX::OnMouseWheel(UINT, short delta, CPoint) {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(std::max(m_pageStep, 1));
    m_wheelRemainder += delta;
    const int notches = m_wheelRemainder / WHEEL_DELTA;
    m_wheelRemainder -= notches * WHEEL_DELTA;
    const long long target = static_cast<long long>(GetPos()) - static_cast<long long>(notches) * lines;
    MoveTo(static_cast<int>(std::clamp<long long>(target, GetRangeMin(), GetRangeMax())));
    return TRUE;
}
