#include "KeyBlock.h"

#include <algorithm>

void KeyBlock::Allocate(int32_t slots)
{
    const int32_t held = std::clamp(slots, 1, kMaxSlots);
    bytes_.assign(TabletRecordSize(held), 0);
}

int32_t KeyBlock::SlotCount() const
{
    return Empty() ? 0 : std::clamp(Head().info.keyCount, 0, SlotRoom());
}

KEYACTION* KeyBlock::Slot(int32_t k)
{
    return k >= 0 && k < SlotRoom() ? RecordKeys(bytes_.data()) + k : nullptr;
}

const KEYACTION* KeyBlock::Slot(int32_t k) const
{
    return k >= 0 && k < SlotRoom() ? RecordKeys(bytes_.data()) + k : nullptr;
}
