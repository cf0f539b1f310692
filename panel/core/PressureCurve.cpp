#include "PressureCurve.h"

#include "PenParameters.h"

#include <cmath>

namespace {

// The service's pressure scale: the response reaches 5i at point i of 0..1023.
constexpr double kPressureSpan = 1023.0;
constexpr double kCurveScale = 102300.0;

int32_t NotBelowZero(int32_t y) { return y < 0 ? 0 : y; }

// The input at which the softer response b*f^2 + c*f reaches 5i, shown as y.
int32_t SoftY(int i, double b)
{
    const double c = 1.0 - kPressureSpan * b;
    const double reach = 5.0 * i;
    const int32_t f = static_cast<int32_t>((std::sqrt(4.0 * b * reach + c * c) - c) / (2.0 * b));
    return NotBelowZero(200 - f / 5);
}

// The firmer response d*n^2 + c*n at n = 1000 - 5i, shown as y.
int32_t FirmY(int i, double d)
{
    const double c = 1.0 - kPressureSpan * d;
    const double n = 1000.0 - 5.0 * i;
    const int32_t response = static_cast<int32_t>(d * n * n + c * n);
    return NotBelowZero((400 - 2 * i) - response / 5);
}

}  // namespace

PressureCurve::PressureCurve() { Reset(); }

void PressureCurve::Reset()
{
    for (int i = 0; i < kPointCount; ++i)
        points_[i] = Point{i, kSize - i};
    SetEnds();
}

void PressureCurve::SetEnds()
{
    points_[0] = Point{0, kSize};
    points_[kPointCount - 1] = Point{kSize, 0};
}

void PressureCurve::Compute(int32_t sensitivity)
{
    const int32_t a = PenParameters::Clamp(sensitivity);
    sensitivity_ = a;
    for (int i = 1; i < kPointCount - 1; ++i) {
        int32_t y = kSize - i;
        if (a < 100)
            y = SoftY(i, (100 - a) / kCurveScale);
        else if (a > 100)
            y = FirmY(i, (a - 100) / kCurveScale);
        points_[i] = Point{i, y};
    }
    SetEnds();
}

bool PressureCurve::OnSetMessage(uintptr_t wParam, intptr_t lParam)
{
    // A posted value larger than the window is clamped before it is narrowed.
    const int32_t value = wParam > static_cast<uintptr_t>(kSize) ? kSize : static_cast<int32_t>(wParam);
    if (lParam == 0) {
        Compute(value);
        return true;
    }
    if (lParam == 1) {
        markerX_ = value;
        Compute(sensitivity_);
        return true;
    }
    return false;
}
