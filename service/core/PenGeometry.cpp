#include "PenGeometry.h"

#include "PenReportState.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// Pi as these conversions have always used it: the angles clients see depend on it.
constexpr double PI_APPROX = 3.14;
constexpr int32_t MIN_ALTITUDE = 300;

int32_t TiltDegrees(int tilt, int upright)
{
    return tilt <= upright ? 60 * tilt / upright - 60 : 60 * (tilt - upright) / upright;
}

// Azimuth and altitude of every pair of tilt bytes (6 and 7 bits), worked
// out once with the conversion itself: the trigonometry is the costliest
// step of a pen packet, and a pen has only these 8192 tilts.
class TiltTable {
public:
    static constexpr int TILT_X_VALUES = 64;
    static constexpr int TILT_Y_VALUES = 128;

    TiltTable()
    {
        uint8_t report[9] = {};
        for (int tx = 0; tx < TILT_X_VALUES; ++tx) {
            for (int ty = 0; ty < TILT_Y_VALUES; ++ty) {
                report[7] = static_cast<uint8_t>(tx);
                report[8] = static_cast<uint8_t>(ty);
                int32_t azimuth = 0;
                int32_t altitude = 0;
                PenGeometry::TiltToOrientation(report, azimuth, altitude);
                entries_[tx * TILT_Y_VALUES + ty] = {static_cast<int16_t>(azimuth), static_cast<int16_t>(altitude)};
            }
        }
    }
    static const TiltTable& Get()
    {
        static const TiltTable table;
        return table;
    }
    void Look(const uint8_t* report, int32_t& azimuth, int32_t& altitude) const
    {
        const Entry& entry = entries_[(report[7] & 0x3F) * TILT_Y_VALUES + (report[8] & 0x7F)];
        azimuth = entry.azimuth;
        altitude = entry.altitude;
    }

private:
    // Azimuth 0..3600 and altitude 300..900 fit 16 bits.
    struct Entry {
        int16_t azimuth;
        int16_t altitude;
    };
    Entry entries_[TILT_X_VALUES * TILT_Y_VALUES];
};

}  // namespace

void PenGeometry::PrepareTiltTable() { TiltTable::Get(); }

void PenGeometry::LookUpTilt(const uint8_t* report, int32_t& azimuth, int32_t& altitude)
{
    TiltTable::Get().Look(report, azimuth, altitude);
}

void PenGeometry::TiltToOrientation(const uint8_t* report, int32_t& azimuth, int32_t& altitude)
{
    const int tx = report[7] & 0x3F;
    const int ty = report[8] & 0x7F;
    const int32_t ax = TiltDegrees(tx, 32);
    const int32_t ay = TiltDegrees(ty, 64);

    if (tx == 32) {
        altitude = 900 - 10 * std::abs(ay);
        azimuth = ty < 64 ? 0 : 1800;
    } else if (ay == 0) {
        altitude = 900 - 10 * std::abs(ax);
        azimuth = ax > 0 ? 900 : 2700;
    } else {
        const double tanX = std::tan(std::abs(ax) * PI_APPROX / 180.0);
        const double tanY = std::tan(std::abs(ay) * PI_APPROX / 180.0);
        const double o = std::atan(tanX / tanY) * 180.0 / PI_APPROX;
        altitude = static_cast<int32_t>(10.0 * std::atan(1.0 / std::sqrt(tanX * tanX + tanY * tanY)) * 180.0 / PI_APPROX);
        if (ax > 0 && ay > 0)
            azimuth = static_cast<int32_t>(1800.0 - 10.0 * o);
        else if (ax > 0)
            azimuth = static_cast<int32_t>(10.0 * o);
        else if (ay < 0)
            azimuth = static_cast<int32_t>(3600.0 - 10.0 * o);
        else
            azimuth = static_cast<int32_t>(1800.0 + 10.0 * o);
    }
    if (altitude < MIN_ALTITUDE)
        altitude = MIN_ALTITUDE;
}

void PenGeometry::RotateReport(const TABLETINFO& header, uint8_t* report, int32_t orientation)
{
    if (header.InputReportByteLength_Pen == 10) {
        std::swap(report[2], report[3]);
        std::swap(report[4], report[5]);
    }
    const uint64_t x = FrameU16(report, penframe::X);
    const uint64_t y = FrameU16(report, penframe::Y);
    const uint32_t xMin = static_cast<uint32_t>(header.xMin);
    const uint32_t yMin = static_cast<uint32_t>(header.yMin);
    const uint64_t w = static_cast<uint32_t>(header.xMax) - xMin;
    const uint64_t h = static_cast<uint32_t>(header.yMax) - yMin;

    uint64_t newX = 0;
    uint64_t newY = 0;
    switch (orientation) {
    case 0x100:
        if (w == 0 || h == 0)
            return;
        newY = x * h / w + yMin;
        newX = xMin + w - y * w / h;
        break;
    case 0x200:
        newX = xMin + w - x;
        newY = yMin + h - y;
        break;
    case 0x300:
        if (w == 0 || h == 0)
            return;
        newY = yMin + h - x * h / w;
        newX = y * w / h + xMin;
        break;
    default:
        return;
    }
    // Positions beyond the extents wrap here as 16-bit values; the mapping clamps them.
    SetFrameU16(report, penframe::X, static_cast<uint16_t>(newX));
    SetFrameU16(report, penframe::Y, static_cast<uint16_t>(newY));
}
