// The pen decoder's state: one set for the whole service, shared by every
// read thread (one pen at a time is the supported case). It holds the read
// buffer the threads fill, the decoded frame of the last pen packet and the
// counters of the output steps. Nothing in it allocates.
#pragma once

#include "ClientContextRegistry.h"

#include <cstddef>
#include <cstdint>

// A read thread copies at most this many bytes of a report into the buffer.
constexpr size_t PEN_READ_BUFFER_SIZE = 64;
// The decoded report: id, status, X, Y, pressure, azimuth, altitude, 2 unused.
constexpr size_t PEN_FRAME_SIZE = 14;

// Offsets in the decoded frame.
namespace penframe {
constexpr size_t REPORT_ID = 0;
constexpr size_t STATUS = 1;
constexpr size_t X = 2;
constexpr size_t Y = 4;
constexpr size_t PRESSURE = 6;
constexpr size_t AZIMUTH = 8;
constexpr size_t ALTITUDE = 10;
}  // namespace penframe

// Normalised status of the decoded frame.
constexpr uint8_t PEN_STATUS_NONE = 0;
constexpr uint8_t PEN_STATUS_TIP = 1;
constexpr uint8_t PEN_STATUS_BUTTON1 = 2;
constexpr uint8_t PEN_STATUS_BUTTON2 = 4;

// Raw status bytes of a pen report (byte 1).
constexpr uint8_t REPORT_TOOL_ID = 0xC2;
constexpr uint8_t REPORT_OUT_OF_RANGE = 0x80;

// Bits of ServiceFlags::buttonState.
constexpr uint32_t HELD_LEFT_BUTTON = 1;
constexpr uint32_t HELD_PEN_BUTTON1 = 2;
constexpr uint32_t HELD_PEN_BUTTON2 = 4;

// The last tool identification, in the order of the PENSETTINGS header.
struct PenToolBlock {
    uint8_t reportId = 0;
    uint8_t status = 0;
    uint16_t toolId = 0;
    uint8_t serialNibble = 0;
    uint8_t serialBytes[4] = {};
};

struct PenReportState {
    // The raw report as read, then the decoded frame (PEN_FRAME_SIZE bytes).
    uint8_t report[PEN_READ_BUFFER_SIZE] = {};
    // The decoded frame of the last pen packet; its status is "previous".
    uint8_t previous[PEN_FRAME_SIZE] = {};
    PenToolBlock tool;
    // The read thread whose tablet sent the last pen report: the pen this
    // state follows. Only that tablet's end takes it out of proximity.
    const void* penOwner = nullptr;
    // The read thread whose report pressed what the pen holds now (left
    // button, pen-button actions, the virtual tip). Another tablet's report
    // may have come since; this tablet's end still lets go of it.
    const void* penHolder = nullptr;
    int32_t toolPacket = 0;     // set by a tool identification, consumed by the next packet
    int32_t toolDebounce = 0;   // pen packets left whose pressure is forced to 0

    uint32_t packetClock = 0;   // milliseconds, started from the tick count
    int32_t packetSerial = 1;
    int32_t lastX = 0;          // last injected screen position, 0..0xFFFF
    int32_t lastY = 0;

    uint32_t toolTime = 0;      // library form: tick of the last tool identification, 0 once used
    // A left-button down was injected and not yet released (bit 0 of the
    // button state can also be set by the context commands of the library).
    bool leftDownInjected = false;
    // Library form: the virtual pen was last told that its tip touches. A
    // client window can come or go within a stroke, so the stroke may end on
    // the other route than it began; whatever began it is released too.
    bool virtualTipDown = false;

    // This report's on-top contexts; the library form keeps them while the
    // left button is down and a report finds none (collected then lands in
    // its own place first).
    OnTopContexts onTop;
    OnTopContexts collected;
    // The registry's on-top contexts as last collected, and the count of its
    // changes they reflect (0: never collected).
    OnTopContexts registryView;
    uint32_t registryChanges = 0;
};

inline uint16_t FrameU16(const uint8_t* frame, size_t offset)
{
    return static_cast<uint16_t>(frame[offset] | (frame[offset + 1] << 8));
}

inline void SetFrameU16(uint8_t* frame, size_t offset, uint16_t value)
{
    frame[offset] = static_cast<uint8_t>(value & 0xFF);
    frame[offset + 1] = static_cast<uint8_t>(value >> 8);
}
