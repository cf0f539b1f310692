#include "KnobGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegreesPerRadian = 57.29577951308232;

CPoint PointOnCircle(const KnobSquare& square, int radius, int angle) {
    const double radians = angle * kPi / 180.0;
    return {static_cast<LONG>(std::cos(radians) * radius + square.x + square.width / 2),
            static_cast<LONG>(std::sin(radians) * radius + square.y + square.height / 2)};
}

}  // namespace

KnobSquare KnobGeometry::SquareForClient(int clientWidth, int clientHeight) {
    const int side = std::min(clientWidth, clientHeight);
    const int offset = static_cast<int>(side * 0.1);
    const int size = static_cast<int>(side * 0.8);
    return {offset, offset, size, size};
}

int KnobGeometry::AngleOf(int value, const KnobRange& range) {
    const long long span = range.Span();
    if (span <= 0) return 135;
    return static_cast<int>(135 + ((static_cast<long long>(value) - range.minimum) * 270) / span);
}

CPoint KnobGeometry::PointerPosition(const KnobSquare& square, int value, const KnobRange& range) {
    if (range.Span() == 0) return {0, 0};
    return PointOnCircle(square, square.width / 2 - 10, AngleOf(value, range));
}

CPoint KnobGeometry::TickPoint(int inset, int value, const KnobSquare& square, const KnobRange& range) {
    if (range.Span() == 0) return {0, 0};
    return PointOnCircle(square, square.width / 2 - 2 * inset, AngleOf(value, range));
}

int KnobGeometry::PointToValue(int x, int y, CPoint centre, const KnobRange& range) {
    const long long span = range.Span();
    if (span <= 0) return range.minimum;
    double theta = 0.0;
    if (x > centre.x) {
        theta = 225.0 + std::atan(static_cast<double>(y - centre.y) / (x - centre.x)) * kDegreesPerRadian;
    } else if (x < centre.x) {
        theta = 45.0 + std::atan(static_cast<double>(centre.y - y) / (centre.x - x)) * kDegreesPerRadian;
    } else if (y < centre.y) {
        theta = 135.0;  // straight above
    } else if (y > centre.y) {
        theta = -45.0;  // straight below
    } else {
        return range.minimum;  // the centre has no direction
    }
    const double offset = std::trunc(static_cast<double>(span) * theta / 270.0);
    const double value = std::clamp(range.minimum + offset, static_cast<double>(range.minimum),
                                    static_cast<double>(range.maximum));
    return static_cast<int>(value);
}

std::uint32_t KnobGeometry::ShiftColor(std::uint32_t argb, int amount) {
    const int step16 = static_cast<std::int16_t>(static_cast<std::uint16_t>(amount));
    if (step16 < -255 || step16 > 255) return argb;
    const int channels[3] = {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                             static_cast<int>(argb & 0xFF)};
    int step = step16;
    for (int channel : channels) {
        step = step16 > 0 ? std::min(step, 255 - channel) : std::max(step, -channel);
    }
    return (argb & 0xFF000000u) | (static_cast<std::uint32_t>(channels[0] + step) << 16) |
           (static_cast<std::uint32_t>(channels[1] + step) << 8) | static_cast<std::uint32_t>(channels[2] + step);
}

std::uint32_t KnobGeometry::ArgbFromColorref(std::uint32_t colorref) {
    const std::uint32_t red = colorref & 0xFF, green = (colorref >> 8) & 0xFF, blue = (colorref >> 16) & 0xFF;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}
