#include "PenPressure.h"

#include <cmath>

namespace {

int32_t ToPressure(double value)
{
    if (!(value > 0))  // also NaN
        return 0;
    if (value >= PenPressure::MAX_PRESSURE)
        return PenPressure::MAX_PRESSURE;
    return static_cast<int32_t>(value);
}

int32_t ClampPressure(int64_t value)
{
    return value < 0 ? 0 : value > PenPressure::MAX_PRESSURE ? PenPressure::MAX_PRESSURE : static_cast<int32_t>(value);
}

}  // namespace

int32_t PenPressure::Decode(const uint8_t* report, uint16_t reportLength, int32_t pressureMax)
{
    if (reportLength == 8)
        return report[6] | (report[7] << 8);
    if (pressureMax == 2048)
        return (report[6] << 3) | ((report[7] >> 6) << 1) | (report[1] & 1);
    return (report[6] << 2) | (report[7] >> 6);
}

int32_t PenPressure::DebounceBits(const uint8_t* report)
{
    return (report[6] << 3) | ((report[7] >> 6) << 1) | (report[1] & 1);
}

int32_t PenPressure::ApplyCurve(int32_t p, int32_t sensitivity, int64_t range, bool roundUp)
{
    if (sensitivity == 100 || range <= 0)
        return p;
    const double r = static_cast<double>(range);
    const double x = static_cast<double>(p);
    if (sensitivity > 100) {
        double k = (static_cast<double>(sensitivity) - 100.0) / (100.0 * r);
        double curved = x * (1.0 - r * k) + k * x * x;
        return ToPressure(roundUp ? std::ceil(curved) : curved);
    }
    double k = (100.0 - static_cast<double>(sensitivity)) / (100.0 * r);
    double b = 1.0 - r * k;
    return ToPressure((std::sqrt(b * b + 4.0 * k * x) - b) / (2.0 * k));
}

int32_t PenPressure::AboveThreshold(int32_t p, int32_t threshold, int64_t range, bool roundUp)
{
    const int64_t bounded = threshold < 0 ? 0 : threshold;
    int64_t above = static_cast<int64_t>(p) - bounded;
    int64_t span = range - bounded;
    if (span <= 0)
        return ClampPressure(above);
    if (roundUp)
        return ToPressure(std::ceil(static_cast<double>(above) * static_cast<double>(range) / static_cast<double>(span)));
    const int64_t product = above * range;
    // The narrower division when it gives the same quotient, as it does for every real pen.
    if (product >= 0 && product <= INT32_MAX && span <= INT32_MAX)
        return ClampPressure(static_cast<int32_t>(product) / static_cast<int32_t>(span));
    return ClampPressure(product / span);
}
