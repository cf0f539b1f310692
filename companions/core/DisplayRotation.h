// The rotation watcher's logic: which active display path holds the tablet's
// mapped area and how it is turned, the display's rectangle as fractions of
// the desktop, and when a change is published to the service.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rotation {

// Rotation states: 1..4 are the path rotations (normal, 90, 180, 270 degrees).
constexpr int32_t STATE_UNKNOWN = 0;      // display query failed / not searched yet
constexpr int32_t STATE_NO_DISPLAY = -1;  // no single display found
constexpr size_t DISPLAY_NAME_CHARS = 12; // as many characters of a device name as are kept
constexpr const char* FIRST_TARGET_NAME = "\\\\.\\DISPLAY2";
constexpr int32_t FRACTION_ONE = 65535;

// A rectangle in 0..65535 units of the desktop's bounding box.
struct MappedArea {
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct PixelRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// One active display path: its source mode and the target's rotation.
struct DisplayPath {
    int32_t x = 0, y = 0, width = 0, height = 0;
    int32_t rotation = 0;    // 1..4
    std::string sourceName;  // GDI device name, "\\.\DISPLAY1"
};

// One display attached to the desktop with its current settings.
struct AttachedDisplay {
    std::string name;
    int32_t x = 0, y = 0, width = 0, height = 0;
};

// Rotation code of the key area (0, 256, 512, 768) to state 1..4; other
// codes are taken as they are.
int32_t StateFromRotationCode(int32_t code);
// State 1..4 to its rotation code; false for every other state.
bool RotationCodeFromState(int32_t state, int32_t& code);

// The mapped area in desktop pixels over the paths' bounding box, with
// `state` and `targetName` deciding how turned displays are counted. The
// area's extents are exchanged when it is taller than wide.
PixelRect AreaInPixels(std::vector<DisplayPath>& paths, int32_t state, const std::string& targetName,
                       const MappedArea& area);
// Rotation 1..4 of the one path among the first two that holds the area
// (its name then becomes `targetName`), else STATE_NO_DISPLAY.
int32_t FindTabletDisplayRotation(std::vector<DisplayPath> paths, int32_t state, std::string& targetName,
                            const MappedArea& area);

// The target display's rectangle (updated when it is among the first 12
// displays) as fractions of the displays' bounding box. False when no
// display is attached, the box is empty or the target was never found:
// there is nothing to publish then.
bool ComputeTargetDisplayRect(const std::vector<AttachedDisplay>& displays, const std::string& targetName,
                       PixelRect& targetRect, MappedArea& published);

// The watcher's remembered rotation and target display.
class RotationWatch {
public:
    int32_t State() const { return state_; }
    const std::string& TargetName() const { return targetName_; }
    std::string& TargetName() { return targetName_; }
    PixelRect& TargetRect() { return targetRect_; }

    // Seeds an unknown state from the key area's rotation code.
    void Seed(int32_t rotationCode);
    // The search with this watch's state and target name.
    int32_t Search(const std::vector<DisplayPath>& paths, const MappedArea& area);
    // The rotation code to publish for a search result: only a change to 1..4.
    bool ChangeToPublish(int32_t found, int32_t& code) const;
    // Takes the search result; a change that could not be published keeps the
    // old state so that the next display change tries again.
    void Settle(int32_t found, bool published);

private:
    int32_t state_ = STATE_UNKNOWN;
    std::string targetName_ = FIRST_TARGET_NAME;
    PixelRect targetRect_;
};

}  // namespace rotation
