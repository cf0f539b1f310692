// The rotation watcher's side of the shared sections: the key area's
// rotation code and mapped area, and the publishing of a new rotation to
// the service (command 8, the fields, the pulse, then the device's mapping
// reload).
#pragma once

#include "DisplayRotation.h"

#include <vector>

namespace RotationPublisher {

// Seeds the watch from the key area's rotation code and reads the mapped
// area; false when the key area is missing or too small.
bool ReadKeyArea(rotation::RotationWatch& watch, rotation::MappedArea& area);

// Writes the command word first, then the rotation code and the target
// display's area as fractions of `displays`, pulses the command event and
// sets the mapping reload event of the key area's device. False, with
// nothing written, when a section is missing or no attached display gives
// the target's area.
bool PublishDisplayRotation(int32_t code, rotation::RotationWatch& watch,
                            const std::vector<rotation::AttachedDisplay>& displays);

}  // namespace RotationPublisher
