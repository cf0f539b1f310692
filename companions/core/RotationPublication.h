// The writes that hand a new display rotation to the service. The watcher
// writes the set-rotation command word first, then the rotation code and the
// display's area in the key area, and wakes the service last: the service
// reads the fields only when it wakes. The panel's saves, unlike this, write
// their fields before the word.
#pragma once

#include "DisplayRotation.h"

#include <cstddef>
#include <cstdint>

namespace rotation {

// Where a publish lands: the connection section's command word, the key
// area's 32-bit fields and the command event.
class PublicationTarget {
public:
    virtual ~PublicationTarget() = default;
    virtual void WriteCommand(int32_t command) = 0;
    virtual void WriteKeyAreaInt32(size_t offset, int32_t value) = 0;
    virtual void WakeService() = 0;
};

// Offset of the mapped screen area (x0, y0, x1, y1) in the key area.
constexpr size_t KEYAREA_SCREEN_AREA_OFFSET = 208;

// Publishes `rotationCode` with the target display's area as fractions of the desktop.
void WritePublication(int32_t rotationCode, const MappedArea& published, PublicationTarget& target);

}  // namespace rotation
