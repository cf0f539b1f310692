#include "VirtualPenReport.h"

#include <cstring>

namespace {

uint16_t Bounded(int32_t value, int32_t high)
{
    return static_cast<uint16_t>(value < 0 ? 0 : value > high ? high : value);
}

void PutU16(uint8_t* out, uint16_t value)
{
    out[0] = static_cast<uint8_t>(value & 0xFF);
    out[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

uint8_t VirtualPenReport::StatusOf(uint16_t toolId, int32_t pressure, int32_t clickThreshold)
{
    bool touching = pressure > 0 && pressure >= clickThreshold;
    if (toolId & 8)
        return touching ? STATUS_ERASER_TIP : STATUS_ERASER;
    return touching ? STATUS_PEN_TIP : STATUS_PEN;
}

void VirtualPenReport::Build(uint8_t (&report)[LENGTH], uint8_t status, int32_t screenX, int32_t screenY,
                             int32_t pressure)
{
    std::memset(report, 0, LENGTH);
    report[0] = REPORT_ID;
    report[1] = 1;
    report[2] = status;
    PutU16(report + 3, Bounded(screenX, 0xFFFF) / 2);
    PutU16(report + 5, Bounded(screenY, 0xFFFF) / 2);
    PutU16(report + 7, Bounded(pressure, 0xFFFF));
}

void VirtualPenReport::Write(ISystem& system, uint8_t status, int32_t screenX, int32_t screenY, int32_t pressure,
                             const RECT32& tabletArea)
{
    if (!system.HasVirtualOutputDevice())
        return;
    // An empty tablet area maps nothing; a report that lifts the tip or leaves
    // range still goes out, so a touch never stays on the virtual pen.
    const bool touches = status == STATUS_PEN_TIP || status == STATUS_ERASER_TIP;
    if (touches && (tabletArea.left == tabletArea.right || tabletArea.top == tabletArea.bottom))
        return;
    uint8_t report[LENGTH];
    Build(report, status, screenX, screenY, pressure);
    system.WriteVirtualOutput(report, LENGTH);
}

void VirtualPenReport::WriteVirtualPenReport(ISystem& system, int32_t screenX, int32_t screenY, uint16_t toolId,
                                             int32_t pressure, int32_t clickThreshold, const RECT32& tabletArea)
{
    Write(system, StatusOf(toolId, pressure, clickThreshold), screenX, screenY, pressure, tabletArea);
}

void VirtualPenReport::WriteVirtualOutOfRangeReport(ISystem& system, int32_t screenX, int32_t screenY,
                                                    int32_t pressure, const RECT32& tabletArea)
{
    Write(system, STATUS_OUT_OF_RANGE, screenX, screenY, pressure, tabletArea);
}
