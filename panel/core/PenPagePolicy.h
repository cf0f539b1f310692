// What the two panel brands do differently on the pen page, as values beside
// the reference behaviour, so the portable logic and its tests cover both.
#pragma once

#include <cstdint>

struct PenPagePolicy {
    // The parameter list offers "Tilt Sensitivity" (unless the model flag removes it).
    bool offersTilt;
    // The try-here area draws and erases only for 0 < pressure < pressureEnd.
    uint32_t pressureEnd;
    // Line width and eraser side: pressure / sizeDivisor + 1.
    uint32_t sizeDivisor;
    // A stroke is joined only while the cursor stays inside the area (the
    // stroke flag); without it every packet draws a line to the cursor.
    bool strokeStaysInside;
};

// 11-bit pressure, the tilt entry and the stroke flag.
inline constexpr PenPagePolicy kStyloraPenPage{true, 2047, 80, true};
// 10-bit pressure, no tilt entry, no stroke flag.
inline constexpr PenPagePolicy kPenmiraPenPage{false, 1024, 40, false};
