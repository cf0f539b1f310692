#include "CTryHereArea.h"

#include "GdiObjects.h"

#include <cmath>

CTryHereArea::~CTryHereArea()
{
    if (m_areaDc != nullptr && IsWindow(m_area))
        ReleaseDC(m_area, m_areaDc);
}

bool CTryHereArea::Attach(HWND dialog, HWND area)
{
    m_dialog = dialog;
    m_area = area;
    m_areaDc = area != nullptr ? GetDC(area) : nullptr;
    if (m_areaDc == nullptr)
        return false;
    return m_dial.CreateClockWindow(area, 0, 0);
}

POINT CTryHereArea::CursorInArea() const
{
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(m_area, &point);
    return point;
}

void CTryHereArea::OnButtonDown(HWND childUnderPoint, CTabletContext& context)
{
    if (childUnderPoint == nullptr || childUnderPoint != m_area || m_areaDc == nullptr)
        return;
    const POINT point = CursorInArea();
    MoveToEx(m_areaDc, point.x, point.y, nullptr);
    m_stroke.Begin();
    context.Discard();
}

void CTryHereArea::OnMouseMove(UINT flags, HWND childUnderPoint, CTabletContext& context)
{
    if (childUnderPoint == nullptr)
        return;
    wintab::PANELPACKET packets[wintab::MAX_PACKETS_PER_GET];
    const int count = context.Take(packets, wintab::MAX_PACKETS_PER_GET);
    if (childUnderPoint == m_area && flags == MK_LBUTTON && context.IsOpen() && m_areaDc != nullptr) {
        for (int i = 0; i < count; ++i) {
            const TryHereStroke::Step step = m_stroke.Classify(packets[i]);
            if (step.kind == TryHereStroke::Kind::Draw)
                DrawTo(step.size);
            else if (step.kind == TryHereStroke::Kind::Erase)
                EraseAt(step.size);
        }
    }
    if (count == 0 || m_dial.GetSafeHwnd() == nullptr)
        return;
    // The dial follows the pen wherever the pointer is over the dialog.
    m_dial.Dial().SetFactors(context.Factors());
    for (int i = 0; i < count; ++i)
        m_dial.Dial().Feed(packets[i]);
    m_dial.InvalidateDial();
}

void CTryHereArea::DrawTo(int width)
{
    CPen pen(PS_SOLID, width, RGB(0, 0, 0));
    CSelectObject selected(m_areaDc, pen);
    const POINT point = CursorInArea();
    RECT client{};
    GetClientRect(m_area, &client);
    const bool inside = PtInRect(&client, point) != FALSE;
    switch (m_stroke.Advance(inside)) {
    case TryHereStroke::Move::LineTo:
        LineTo(m_areaDc, point.x, point.y);
        break;
    case TryHereStroke::Move::MoveTo:
        MoveToEx(m_areaDc, point.x, point.y, nullptr);
        break;
    case TryHereStroke::Move::Skip:
        break;
    }
}

void CTryHereArea::EraseAt(int side)
{
    const POINT point = CursorInArea();
    RedrawBehind(RECT{point.x, point.y, point.x + side, point.y + side});
}

void CTryHereArea::Clean()
{
    if (m_area == nullptr)
        return;
    RECT client{};
    GetClientRect(m_area, &client);
    RedrawBehind(client);
}

void CTryHereArea::RedrawBehind(const RECT& inArea)
{
    RECT behind = inArea;
    MapWindowPoints(m_area, m_dialog, reinterpret_cast<POINT*>(&behind), 2);
    // The dialog paints its background over the area first, then the area
    // (its frame) and the dial paint over that, in this call.
    RedrawWindow(m_dialog, &behind, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
