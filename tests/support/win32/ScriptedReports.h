// The scripted tablet of the whole-road tests: a 10-key model with 10-byte
// pen reports, its settings record, and the reports it sends.
#pragma once

#include "TabletRecordBuilder.h"

#include <cstdint>
#include <vector>

// Extents 10206 x 7422, pressure 0..1023, ten express keys.
inline TABLETINFO DeskModel()
{
    return TabletRecordBuilder(0x7A4B, 0x1001).PenReport(10).Extent(10206, 7422).Pressure(1023).Keys(10).Model();
}

// The model's settings record: the whole desktop, every key disabled.
inline std::vector<uint8_t> DeviceRecordOf(const TABLETINFO& model)
{
    return TabletRecordBuilder(model).Monitors(1).WholeDesktop().Bytes();
}

// A 10-byte pen packet: big-endian X and Y, 10-bit pressure, the pen upright.
inline std::vector<uint8_t> PenPacket(uint8_t status, int x, int y, int pressure)
{
    return {2,
            status,
            static_cast<uint8_t>(x >> 8),
            static_cast<uint8_t>(x),
            static_cast<uint8_t>(y >> 8),
            static_cast<uint8_t>(y),
            static_cast<uint8_t>(pressure >> 2),
            static_cast<uint8_t>(((pressure & 3) << 6) | 32),
            64,
            0};
}

// An express-key report with the two key groups' bits.
inline std::vector<uint8_t> ExpressKeyReport(uint8_t group1, uint8_t group2 = 0)
{
    std::vector<uint8_t> report(10, 0);
    report[0] = 12;
    report[5] = group1;
    report[6] = group2;
    return report;
}
