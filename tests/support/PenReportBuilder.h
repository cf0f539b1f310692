// Raw pen reports as a tablet sends them: tool identification, out of range,
// and pen packets in the 10-byte (big-endian position, 10 pressure bits, tilt)
// and 8-byte (little-endian position, 16-bit pressure) layouts.
#pragma once

#include <cstddef>
#include <cstdint>

struct RawPenReport {
    uint8_t bytes[10] = {};
    uint16_t length = 10;
};

namespace penreport {

constexpr uint8_t REPORT_ID = 2;
constexpr uint8_t HOVER = 0xA0;
constexpr uint8_t BUTTON1 = 0xA2;
constexpr uint8_t BUTTON2 = 0xA4;

inline RawPenReport Tool(uint16_t toolId, uint8_t nibble = 0, uint32_t serial = 0)
{
    RawPenReport r;
    r.bytes[0] = REPORT_ID;
    r.bytes[1] = 0xC2;
    r.bytes[2] = static_cast<uint8_t>(toolId >> 4);
    r.bytes[3] = static_cast<uint8_t>(((toolId & 0x0F) << 4) | (nibble & 0x0F));
    for (int i = 0; i < 4; ++i)
        r.bytes[4 + i] = static_cast<uint8_t>(serial >> (24 - 8 * i));
    return r;
}

inline RawPenReport Leave()
{
    RawPenReport r;
    r.bytes[0] = REPORT_ID;
    r.bytes[1] = 0x80;
    return r;
}

// 10 pressure bits, tilt X 0..63 (32 upright), tilt Y 0..127 (64 upright).
inline RawPenReport Pen(uint8_t status, uint16_t x, uint16_t y, uint16_t pressure, uint8_t tiltX = 32,
                        uint8_t tiltY = 64)
{
    RawPenReport r;
    r.bytes[0] = REPORT_ID;
    r.bytes[1] = status;
    r.bytes[2] = static_cast<uint8_t>(x >> 8);
    r.bytes[3] = static_cast<uint8_t>(x & 0xFF);
    r.bytes[4] = static_cast<uint8_t>(y >> 8);
    r.bytes[5] = static_cast<uint8_t>(y & 0xFF);
    r.bytes[6] = static_cast<uint8_t>(pressure >> 2);
    r.bytes[7] = static_cast<uint8_t>(((pressure & 3) << 6) | (tiltX & 0x3F));
    r.bytes[8] = tiltY & 0x7F;
    return r;
}

inline RawPenReport Pen8(uint8_t status, uint16_t x, uint16_t y, uint16_t pressure)
{
    RawPenReport r;
    r.length = 8;
    r.bytes[0] = REPORT_ID;
    r.bytes[1] = status;
    r.bytes[2] = static_cast<uint8_t>(x & 0xFF);
    r.bytes[3] = static_cast<uint8_t>(x >> 8);
    r.bytes[4] = static_cast<uint8_t>(y & 0xFF);
    r.bytes[5] = static_cast<uint8_t>(y >> 8);
    r.bytes[6] = static_cast<uint8_t>(pressure & 0xFF);
    r.bytes[7] = static_cast<uint8_t>(pressure >> 8);
    return r;
}

}  // namespace penreport
