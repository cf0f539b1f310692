// Pressure of a pen packet: the raw bits of the report, the user's pressure
// curve and the click threshold that decides whether the tip is down.
#pragma once

#include <cstddef>
#include <cstdint>

class PenPressure {
public:
    // Largest pressure a decoded frame can carry.
    static constexpr int32_t MAX_PRESSURE = 0xFFFF;

    // Pressure bits of a pen packet of the given report length: 10 bits (11
    // when the pressure maximum is 2048) of a 10-byte report, the 16-bit word
    // of an 8-byte one.
    static int32_t Decode(const uint8_t* report, uint16_t reportLength, int32_t pressureMax);
    // The 11 raw pressure bits the tool debounce looks at, for either length.
    static int32_t DebounceBits(const uint8_t* report);

    // The curve of sensitivity s over the range: 100 is linear, 200 is p²/range,
    // below 100 the inverse of the mirrored curve. Truncated toward zero, or
    // rounded up above 100 when roundUp. Bounded to 0..MAX_PRESSURE; a range
    // of 0 or less leaves p unchanged.
    static int32_t ApplyCurve(int32_t p, int32_t sensitivity, int64_t range, bool roundUp);
    // Rescales a pressure above the threshold onto 1..range. A threshold at
    // or above the range cannot be rescaled: p - threshold is kept instead.
    static int32_t AboveThreshold(int32_t p, int32_t threshold, int64_t range, bool roundUp);
};
