// The express-key page's copy of one tablet's settings record: the
// TABLETINFO, the mapping block, the stored key count and the key slots,
// always zero-filled behind what was put in.
#pragma once

#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class KeyBlock {
public:
    // Bound on slot counts taken from files and lists; the page shows at most 18.
    static constexpr int32_t kMaxSlots = 64;

    // A zeroed block with room for max(slots, 1) slots (at most kMaxSlots).
    void Allocate(int32_t slots);
    void Free() { bytes_.clear(); }
    bool Empty() const { return bytes_.empty(); }

    // The tablet's slot count n (TABLETINFO +84), bounded by the slots held.
    int32_t SlotCount() const;
    int32_t SlotRoom() const { return Empty() ? 0 : KeyCapacityOf(bytes_.size()); }
    // Slot k, or null when the block does not hold it.
    KEYACTION* Slot(int32_t k);
    const KEYACTION* Slot(int32_t k) const;

    TABLETRECORD_HEAD& Head() { return *RecordHead(bytes_.data()); }
    const TABLETRECORD_HEAD& Head() const { return *RecordHead(bytes_.data()); }
    uint8_t* Data() { return bytes_.data(); }
    const uint8_t* Data() const { return bytes_.data(); }
    size_t Size() const { return bytes_.size(); }

private:
    std::vector<uint8_t> bytes_;
};
