#include "TryHereStroke.h"

TryHereStroke::Step TryHereStroke::Classify(const wintab::PANELPACKET& packet) const
{
    // The eraser's square has the side a line of that pressure has width.
    const int32_t size = MainDialog::InkWidth(brand_, packet.normalPressure);
    if (size == 0)
        return Step{Kind::Nothing, 0};
    if (packet.cursor == kPenCursor)
        return Step{Kind::Draw, size};
    if (packet.cursor == kEraserCursor)
        return Step{Kind::Erase, size};
    return Step{Kind::Nothing, 0};
}

TryHereStroke::Move TryHereStroke::Advance(bool inside)
{
    if (!brand_.strokeFollowsArea)
        return Move::LineTo;
    if (!inside) {
        joined_ = false;
        return Move::Skip;
    }
    const Move move = joined_ ? Move::LineTo : Move::MoveTo;
    joined_ = true;
    return move;
}
