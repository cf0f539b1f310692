// The scripted tablet of the whole-road tests: a 10-key model with 10-byte
// pen reports, its settings record, and the reports it sends.
#pragma once

#include "TabletRecords.h"

#include <cstdint>
#include <vector>

// Extents 10206 x 7422, pressure 0..1023, ten express keys.
inline TABLETINFO DeskModel()
{
    TABLETINFO model{};
    model.VID = 0x7A4B;
    model.PID = 0x1001;
    model.InputReportByteLength_Pen = 10;
    model.xMax = 10206;
    model.yMax = 7422;
    model.pressureMax = 1023;
    model.keyCount = 10;
    return model;
}

// The model's settings record: the whole desktop, every key disabled.
inline std::vector<uint8_t> DeviceRecordOf(const TABLETINFO& model)
{
    std::vector<uint8_t> record(TabletRecordSize(model.keyCount), 0);
    TABLETRECORD_HEAD* head = RecordHead(record.data());
    head->info = model;
    head->mapping.monitorListCount = 1;
    head->mapping.screenArea = {0, 0, 0xFFFF, 0xFFFF};
    head->mapping.tabletArea = {0, 0, model.xMax, model.yMax};
    head->keyCount = model.keyCount;
    return record;
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
