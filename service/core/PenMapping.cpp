#include "PenMapping.h"

#include <cstdint>

namespace {

int64_t Clamp(int64_t value, int64_t low, int64_t high)
{
    return value < low ? low : value > high ? high : value;
}

int32_t ClampScreen(double value)
{
    if (!(value > 0))
        return 0;
    if (value >= PenMapping::SCREEN_MAX)
        return PenMapping::SCREEN_MAX;
    return static_cast<int32_t>(value);
}

int32_t MapAxis(uint16_t position, int32_t tabletLow, int32_t tabletHigh, int32_t screenLow, int32_t screenHigh,
                bool integerArithmetic)
{
    int64_t size = static_cast<int64_t>(tabletHigh) - tabletLow;
    if (size <= 0)
        return static_cast<int32_t>(Clamp(screenLow, 0, PenMapping::SCREEN_MAX));
    int64_t offset = Clamp(position, tabletLow, tabletHigh) - tabletLow;
    int64_t screenSize = static_cast<int64_t>(screenHigh) - screenLow;
    // A rectangle far outside the desktop would overflow the integer
    // product; it is mapped in double precision and clamped instead.
    if (integerArithmetic && screenSize >= INT32_MIN && screenSize <= INT32_MAX)
        return static_cast<int32_t>(Clamp(screenLow + offset * screenSize / size, 0, PenMapping::SCREEN_MAX));
    return ClampScreen(static_cast<double>(screenLow) +
                       static_cast<double>(offset) * static_cast<double>(screenSize) / static_cast<double>(size));
}

}  // namespace

int64_t PenMapping::TabletWidth(const MAPPINGDEF& mapping)
{
    return static_cast<int64_t>(mapping.tabletArea.right) - mapping.tabletArea.left;
}

int64_t PenMapping::TabletHeight(const MAPPINGDEF& mapping)
{
    return static_cast<int64_t>(mapping.tabletArea.bottom) - mapping.tabletArea.top;
}

bool PenMapping::HasTabletArea(const MAPPINGDEF& mapping)
{
    return TabletWidth(mapping) > 0 && TabletHeight(mapping) > 0;
}

ScreenPoint PenMapping::ToScreen(uint16_t x, uint16_t y, const RECT32& tabletArea, const RECT32& screenArea,
                                 bool integerArithmetic)
{
    ScreenPoint point;
    point.x = MapAxis(x, tabletArea.left, tabletArea.right, screenArea.left, screenArea.right, integerArithmetic);
    point.y = MapAxis(y, tabletArea.top, tabletArea.bottom, screenArea.top, screenArea.bottom, integerArithmetic);
    return point;
}

int32_t PenMapping::ToPacket(int32_t screen, int32_t extentMax, bool signedArithmetic)
{
    if (signedArithmetic)
        return static_cast<int32_t>(static_cast<int64_t>(screen) * extentMax / SCREEN_MAX);
    uint64_t extent = extentMax < 0 ? 0u : static_cast<uint64_t>(extentMax);
    return static_cast<int32_t>(static_cast<uint64_t>(screen) * extent / SCREEN_MAX);
}
