#include "CalibrationSession.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int64_t MIN_CALIBRATED_EXTENT = 1000;

int32_t Truncated(double value)
{
    return static_cast<int32_t>(std::clamp(std::trunc(value), double{INT32_MIN}, double{INT32_MAX}));
}

int32_t Narrow(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

CalibrationPolicy StyloraCalibration(int32_t inset)
{
    return {inset, inset, inset, 0, false, 26};
}

void AdoptModelInsets(PenmiraInsets& insets, uint16_t productId)
{
    if (productId == 0x6B01) {
        insets.right = 149;
        insets.vertical = 149;
    } else if (productId == 0x6B13) {
        insets.right = 149;
        insets.vertical = 147;
    }
}

CalibrationPolicy PenmiraCalibration(const PenmiraInsets& insets)
{
    return {insets.general, insets.right, insets.vertical, 500, true, 35};
}

CalibrationSession::CalibrationSession(const CalibrationPolicy& policy, int32_t width, int32_t height)
    : policy_(policy), width_(width), height_(height)
{
}

bool CalibrationSession::HasRoom() const
{
    const int32_t inset = policy_.generalInset;
    return inset >= 0 && int64_t{width_} - 2 * int64_t{inset} > 0 && int64_t{height_} - 2 * int64_t{inset} > 0;
}

CalibrationPoint CalibrationSession::Target(int n) const
{
    const int32_t a = policy_.generalInset;
    const int32_t right = Narrow(int64_t{width_} - policy_.rightInset);
    const int32_t bottom = Narrow(int64_t{height_} - policy_.verticalInset);
    switch (n) {
    case 2: return {right, policy_.verticalInset};
    case 3: return {right, bottom};
    case 4: return {a, bottom};
    default: return {a, a};
    }
}

CalibrationPoint CalibrationSession::ErasedAfter(int n) const
{
    const CalibrationPoint shown = Target(n);
    // The second brand erases its first and last targets at the mixed insets.
    if (n == 1)
        return {shown.x, policy_.verticalInset};
    if (n == 4)
        return {policy_.rightInset, shown.y};
    return shown;
}

CalibrationPoint CalibrationSession::RestartTarget(Outcome failure) const
{
    // The second brand's wrong-order restart keeps the vertical inset.
    if (failure == Outcome::OrderError)
        return {policy_.generalInset, policy_.verticalInset};
    return Target(1);
}

CalibrationSession::Outcome CalibrationSession::Feed(uint32_t button, uint16_t x, uint16_t y, uint64_t nowMillis)
{
    Outcome outcome = Outcome::None;
    // A tap is the lift of the pen: its last position while the tip was down.
    if (taps_ < 4 && button == 0 && lastButton_ == 1)
        outcome = HasRoom() ? Accept(lastX_, lastY_, nowMillis) : Outcome::NoRoom;
    lastButton_ = button;
    lastX_ = x;
    lastY_ = y;
    return outcome;
}

CalibrationSession::Outcome CalibrationSession::Accept(uint16_t x, uint16_t y, uint64_t nowMillis)
{
    if (policy_.minTapMillis > 0) {
        const bool tooSoon = taps_ > 0 && nowMillis - lastTapMillis_ < policy_.minTapMillis;
        lastTapMillis_ = nowMillis;
        if (tooSoon)
            return Outcome::Ignored;
    }
    points_[taps_] = {x, y};
    ++taps_;
    return taps_ < 4 ? Outcome::NextTarget : Evaluate();
}

CalibrationSession::Outcome CalibrationSession::Evaluate()
{
    if (!InOrder())
        return Outcome::OrderError;
    Extrapolate();
    if (int64_t{result_.right} - result_.left < MIN_CALIBRATED_EXTENT ||
        int64_t{result_.bottom} - result_.top < MIN_CALIBRATED_EXTENT)
        return Outcome::TooSmall;
    return Outcome::Done;
}

bool CalibrationSession::InOrder() const
{
    const CalibrationPoint* p = points_;
    return p[0].x < p[1].x && p[3].x < p[2].x && p[0].y < p[3].y && p[1].y < p[2].y;
}

void CalibrationSession::Extrapolate()
{
    const CalibrationPoint* p = points_;
    const int64_t inset = policy_.generalInset;
    const int64_t innerWidth = width_ - 2 * inset;
    const int64_t innerHeight = height_ - 2 * inset;
    if (policy_.integerResult) {
        const int64_t l = (int64_t{p[0].x} + p[3].x) / 2, r = (int64_t{p[1].x} + p[2].x) / 2;
        const int64_t t = (int64_t{p[0].y} + p[1].y) / 2, b = (int64_t{p[2].y} + p[3].y) / 2;
        const int64_t dx = (r - l) * inset / innerWidth, dy = (b - t) * inset / innerHeight;
        result_ = {Narrow(l - dx), Narrow(t - dy), Narrow(r + dx), Narrow(b + dy)};
        return;
    }
    const double l = (double{1.0} * p[0].x + p[3].x) / 2, r = (double{1.0} * p[1].x + p[2].x) / 2;
    const double t = (double{1.0} * p[0].y + p[1].y) / 2, b = (double{1.0} * p[2].y + p[3].y) / 2;
    const double dx = static_cast<double>(inset) * (r - l) / static_cast<double>(innerWidth);
    const double dy = static_cast<double>(inset) * (b - t) / static_cast<double>(innerHeight);
    result_ = {std::max(0, Truncated(l - dx)), std::max(0, Truncated(t - dy)), Truncated(r + dx), Truncated(b + dy)};
}
