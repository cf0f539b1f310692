// The default express-key tables of a record whose keys were never set.
#pragma once

#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>

// The service's (left-hand modifier keys), the control panel's (plain
// modifier keys) and the ten-key table of the second brand, whose keys past
// the tenth are empty keystrokes.
enum class DefaultKeyTable { SidedModifiers, PlainModifiers, TenKeys };

// Fills the first keyCount keys of the record (bounded by room) and sets the
// record's key count to the number written (0 for a negative count).
void FillDefaultKeyTable(uint8_t* record, size_t room, int32_t keyCount, DefaultKeyTable table);
