#include "TiltDial.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.28318530718;
// A needle or marker far beyond the dial is drawn clipped; this keeps its
// coordinates well inside the integer range.
constexpr double kFarAway = 10000.0;

int32_t Truncate(double value)
{
    if (!(value > -kFarAway))  // also NaN
        return static_cast<int32_t>(-kFarAway);
    if (value > kFarAway)
        return static_cast<int32_t>(kFarAway);
    return static_cast<int32_t>(value);
}

}  // namespace

double TiltDial::FixedToReal(uint32_t fixed) { return (fixed & 0xFFFFu) / 65536.0 + (fixed >> 16); }

bool TiltDial::FactorsFromAxes(const wintab::AXIS axes[3], Factors& factors)
{
    const wintab::AXIS& azimuth = axes[0];
    const wintab::AXIS& altitude = axes[1];
    if (azimuth.axResolution == 0 || altitude.axResolution == 0)
        return false;
    factors.azimuthPerRadian = FixedToReal(azimuth.axResolution) / kTwoPi;
    factors.altitudeScale = FixedToReal(altitude.axResolution) / 1000.0;
    factors.altitudeMaximum = altitude.axMax / factors.altitudeScale;
    return true;
}

void TiltDial::Feed(const wintab::PANELPACKET& packet)
{
    // |altitude| in 64 bits: the most negative 32-bit value has no 32-bit magnitude.
    const double altitude = std::fabs(static_cast<double>(packet.altitude));
    length_ = factors_.altitudeMaximum - altitude / factors_.altitudeScale;
    angle_ = static_cast<uint32_t>(packet.azimuth) / factors_.azimuthPerRadian;
}

void TiltDial::SetNeedle(double length, double angle)
{
    length_ = length;
    angle_ = angle;
}

DialPoint TiltDial::NeedleEnd() const
{
    return DialPoint{kCentre - Truncate(std::sin(angle_) * length_ / -6.0),
                     kCentre - Truncate(std::cos(angle_) * length_ / 6.0)};
}

DialPoint TiltDial::MarkerEnd() const { return DialPoint{kCentre, kCentre + Truncate(marker_)}; }
