// Maps a tablet position onto the virtual desktop (0..0xFFFF on both axes)
// through the mapping block's tablet area and screen rectangle, and scales
// a screen position to packet units.
#pragma once

#include "TabletRecords.h"

#include <cstdint>

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

class PenMapping {
public:
    static constexpr int32_t SCREEN_MAX = 0xFFFF;

    static int64_t TabletWidth(const MAPPINGDEF& mapping);
    static int64_t TabletHeight(const MAPPINGDEF& mapping);
    // A tablet area of zero or negative width or height maps nothing.
    static bool HasTabletArea(const MAPPINGDEF& mapping);

    // Clamps x, y into the tablet area, then scales onto the screen rectangle
    // in double precision truncated toward zero, or in integers. The result
    // is always within 0..SCREEN_MAX, whatever the rectangle holds. The
    // tablet area must pass HasTabletArea.
    static ScreenPoint ToScreen(uint16_t x, uint16_t y, const RECT32& tabletArea, const RECT32& screenArea,
                                bool integerArithmetic);

    // Screen units to packet units: screen * extentMax / 0xFFFF, unsigned
    // (a negative extent counts as 0) or signed.
    static int32_t ToPacket(int32_t screen, int32_t extentMax, bool signedArithmetic);
};
