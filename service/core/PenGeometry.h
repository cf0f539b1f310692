// The geometry of a pen report: tilt bytes as azimuth and altitude, and the
// position turned by the tablet's orientation within its extents.
#pragma once

#include "TabletRecords.h"

#include <cstdint>

class PenGeometry {
public:
    // Tilt bytes 7 and 8 of a 10-byte report as azimuth and altitude in
    // tenths of a degree.
    static void TiltToOrientation(const uint8_t* report, int32_t& azimuth, int32_t& altitude);
    // The same from a table worked out once for every tilt a pen reports.
    static void LookUpTilt(const uint8_t* report, int32_t& azimuth, int32_t& altitude);
    // Works the table out now rather than on the first report.
    static void PrepareTiltTable();
    // Puts X and Y little-endian (10-byte reports) and turns them by the
    // orientation (0, 0x100, 0x200 or 0x300) within the tablet's extents.
    static void RotateReport(const TABLETINFO& header, uint8_t* report, int32_t orientation);
};
