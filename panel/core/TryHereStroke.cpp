#include "TryHereStroke.h"

TryHereStroke::Step TryHereStroke::Classify(const wintab::PANELPACKET& packet) const
{
    const uint32_t pressure = packet.normalPressure;
    if (pressure == 0 || pressure >= policy_.pressureEnd)
        return Step{Kind::Nothing, 0};
    const int32_t size = static_cast<int32_t>(pressure / policy_.sizeDivisor + 1);
    if (packet.cursor == kPenCursor)
        return Step{Kind::Draw, size};
    if (packet.cursor == kEraserCursor)
        return Step{Kind::Erase, size};
    return Step{Kind::Nothing, 0};
}

TryHereStroke::Move TryHereStroke::Advance(bool inside)
{
    if (!policy_.strokeStaysInside)
        return Move::LineTo;
    if (!inside) {
        joined_ = false;
        return Move::Skip;
    }
    const Move move = joined_ ? Move::LineTo : Move::MoveTo;
    joined_ = true;
    return move;
}
