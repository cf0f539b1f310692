// The library form's pen output to its virtual HID pen device: a 19-byte
// output report with the screen position and pressure, written when no
// client context is on top.
#pragma once

#include "SystemInterface.h"
#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>

class VirtualPenReport {
public:
    static constexpr size_t LENGTH = 19;
    static constexpr uint8_t REPORT_ID = 3;
    static constexpr uint8_t STATUS_PEN = 0xA0;
    static constexpr uint8_t STATUS_PEN_TIP = 0xA1;
    static constexpr uint8_t STATUS_ERASER = 0xA4;
    static constexpr uint8_t STATUS_ERASER_TIP = 0xA8;
    static constexpr uint8_t STATUS_OUT_OF_RANGE = 0x80;

    // Pen or eraser (tool id bit 3), touching when the pressure is non-zero
    // and at least the click threshold.
    static void WriteVirtualPenReport(ISystem& system, int32_t screenX, int32_t screenY, uint16_t toolId,
                                      int32_t pressure, int32_t clickThreshold, const RECT32& tabletArea);
    static void WriteVirtualOutOfRangeReport(ISystem& system, int32_t screenX, int32_t screenY, int32_t pressure,
                                             const RECT32& tabletArea);

    // The report bytes for a status; positions are halved into 0..0x7FFF.
    static void Build(uint8_t (&report)[LENGTH], uint8_t status, int32_t screenX, int32_t screenY, int32_t pressure);
    static uint8_t StatusOf(uint16_t toolId, int32_t pressure, int32_t clickThreshold);

private:
    static void Write(ISystem& system, uint8_t status, int32_t screenX, int32_t screenY, int32_t pressure,
                      const RECT32& tabletArea);
};
