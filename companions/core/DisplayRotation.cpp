#include "DisplayRotation.h"

#include <algorithm>
#include <cstdint>

namespace rotation {

namespace {

constexpr int32_t ROTATION_CODES[] = {0, 256, 512, 768};
constexpr int64_t HALF_STEP = 32767;
constexpr size_t MAX_RECORDED_DISPLAYS = 12;
constexpr int PATH_MASK_BITS = 32;

bool IsPortraitState(int32_t state) { return state == 2 || state == 4; }
bool IsLandscapeState(int32_t state) { return state == 1 || state == 3; }

// A display left of or above the primary counts as lying one extent before it.
void PlaceNegativeOrigin(DisplayPath& path, int32_t state)
{
    if (IsLandscapeState(state)) {
        if (path.x < 0)
            path.x = -path.width;
        if (path.y < 0)
            path.y = -path.height;
    } else if (IsPortraitState(state)) {
        if (path.x < 0)
            path.x = -path.height;
        if (path.y < 0)
            path.y = -path.width;
    }
}

// Desktop positions are far from the 32-bit limits; the arithmetic is done in
// 64 bits anyway, so that odd values from the system cannot overflow it.
int64_t Scale(int64_t origin, int64_t extent, int32_t fraction, int64_t rounding)
{
    return origin + (extent * fraction + rounding) / FRACTION_ONE;
}

int32_t Clamp32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

int32_t Fraction(int64_t offset, int64_t extent) { return Clamp32(offset * FRACTION_ONE / extent); }

std::string KeptName(const std::string& name) { return name.substr(0, DISPLAY_NAME_CHARS); }

}  // namespace

int32_t StateFromRotationCode(int32_t code)
{
    for (int32_t i = 0; i < 4; ++i) {
        if (ROTATION_CODES[i] == code)
            return i + 1;
    }
    return code;
}

bool RotationCodeFromState(int32_t state, int32_t& code)
{
    if (state < 1 || state > 4)
        return false;
    code = ROTATION_CODES[state - 1];
    return true;
}

PixelRect AreaInPixels(std::vector<DisplayPath>& paths, int32_t state, const std::string& targetName,
                       const MappedArea& area)
{
    if (paths.empty())
        return {};
    for (DisplayPath& path : paths)
        PlaceNegativeOrigin(path, state);
    int64_t minX = paths.front().x, minY = paths.front().y;
    int64_t maxX = paths.front().x, maxY = paths.front().y;
    for (const DisplayPath& path : paths) {
        const bool turned = IsPortraitState(state) && path.sourceName == targetName;
        minX = std::min<int64_t>(minX, path.x);
        minY = std::min<int64_t>(minY, path.y);
        maxX = std::max<int64_t>(maxX, int64_t(path.x) + (turned ? path.height : path.width));
        maxY = std::max<int64_t>(maxY, int64_t(path.y) + (turned ? path.width : path.height));
    }
    int64_t left = Scale(minX, maxX - minX, area.x0, HALF_STEP);
    int64_t right = Scale(minX, maxX - minX, area.x1, -HALF_STEP);
    int64_t top = Scale(minY, maxY - minY, area.y0, HALF_STEP);
    int64_t bottom = Scale(minY, maxY - minY, area.y1, -HALF_STEP);
    const int64_t width = right - left;
    const int64_t height = bottom - top;
    if (height > width) {
        right = left + height;
        bottom = top + width;
    }
    return {Clamp32(left), Clamp32(top), Clamp32(right), Clamp32(bottom)};
}

bool Contains(const DisplayPath& path, const PixelRect& area)
{
    return path.x <= area.left && int64_t(area.right) <= int64_t(path.x) + path.width && path.y <= area.top &&
           int64_t(area.bottom) <= int64_t(path.y) + path.height;
}

int32_t FindTabletDisplayRotation(std::vector<DisplayPath> paths, int32_t state, std::string& targetName,
                            const MappedArea& area)
{
    const PixelRect pixels = AreaInPixels(paths, state, targetName, area);
    uint32_t mask = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (Contains(paths[i], pixels))
            mask |= 1u << (i % PATH_MASK_BITS);
    }
    // Only the first two paths are recognised, and only one of them alone.
    if (mask != 1 && mask != 2)
        return STATE_NO_DISPLAY;
    const DisplayPath& found = paths[mask == 1 ? 0 : 1];
    targetName = KeptName(found.sourceName);
    return found.rotation;
}

bool ComputeTargetDisplayRect(const std::vector<AttachedDisplay>& displays, const std::string& targetName,
                       PixelRect& targetRect, MappedArea& published)
{
    const size_t recorded = std::min(displays.size(), MAX_RECORDED_DISPLAYS);
    if (recorded == 0)
        return false;
    int64_t boxLeft = displays[0].x, boxTop = displays[0].y;
    int64_t boxRight = int64_t(displays[0].x) + displays[0].width;
    int64_t boxBottom = int64_t(displays[0].y) + displays[0].height;
    for (size_t i = 0; i < recorded; ++i) {
        const AttachedDisplay& display = displays[i];
        const int64_t right = int64_t(display.x) + display.width;
        const int64_t bottom = int64_t(display.y) + display.height;
        if (display.name == targetName)
            targetRect = {display.x, display.y, Clamp32(right), Clamp32(bottom)};
        boxLeft = std::min<int64_t>(boxLeft, display.x);
        boxTop = std::min<int64_t>(boxTop, display.y);
        boxRight = std::max(boxRight, right);
        boxBottom = std::max(boxBottom, bottom);
    }
    const int64_t width = boxRight - boxLeft;
    const int64_t height = boxBottom - boxTop;
    const bool targetKnown = targetRect.right > targetRect.left && targetRect.bottom > targetRect.top;
    // No desktop to take fractions of, or no rectangle to publish.
    if (width <= 0 || height <= 0 || !targetKnown)
        return false;
    published.x0 = Fraction(targetRect.left - boxLeft, width);
    published.y0 = Fraction(targetRect.top - boxTop, height);
    published.x1 = Fraction(targetRect.right - boxLeft, width);
    published.y1 = Fraction(targetRect.bottom - boxTop, height);
    return true;
}

void RotationWatch::Seed(int32_t rotationCode)
{
    if (state_ == STATE_UNKNOWN)
        state_ = StateFromRotationCode(rotationCode);
}

int32_t RotationWatch::Search(const std::vector<DisplayPath>& paths, const MappedArea& area)
{
    return FindTabletDisplayRotation(paths, state_, targetName_, area);
}

bool RotationWatch::ChangeToPublish(int32_t found, int32_t& code) const
{
    return found != state_ && RotationCodeFromState(found, code);
}

void RotationWatch::Settle(int32_t found, bool published)
{
    int32_t code = 0;
    if (ChangeToPublish(found, code) && !published)
        return;
    state_ = found;
}

}  // namespace rotation
