#include "CFilter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t HISTORY = CFilter::HISTORY;  // for the free helpers below

// Tangent of each 256th of a turn within an octant, scaled by 256.
constexpr uint8_t TANGENTS[33] = {3,   9,   16,  22,  28,  35,  42,  48,  53,  62,  68,  74,  81,  88,  95,  102, 110,
                                  117, 125, 133, 141, 150, 158, 167, 176, 185, 195, 205, 215, 226, 238, 250, 255};

// For each ratio 0..255 of the shorter to the longer side, the first
// TANGENTS entry at or above it (32 when none is).
struct TangentIndex {
    uint8_t of[256] = {};
    constexpr TangentIndex()
    {
        for (int f = 0; f < 256; ++f) {
            int i = 0;
            while (i < 32 && TANGENTS[i] < f)
                ++i;
            of[f] = static_cast<uint8_t>(i);
        }
    }
};
constexpr TangentIndex TANGENT_INDEX;

constexpr int16_t MODE_NONE = 0;
constexpr int16_t MODE_FILTERED_AVERAGE = 1;
constexpr int16_t MODE_RAW_AVERAGE = 2;
constexpr int16_t MODE_THREE_POINT = 3;

// b is always positive here.
int32_t DivNearest(int32_t a, int32_t b) { return (a + (b >> 1)) / b; }

// a / b (b > 0), by the narrower division when both fit 32 bits: the values
// of a stroke nearly always do, and the quotient is the same.
int64_t Quotient(int64_t a, int64_t b)
{
    if (a >= INT32_MIN && a <= INT32_MAX && b <= INT32_MAX)
        return static_cast<int32_t>(a) / static_cast<int32_t>(b);
    return a / b;
}

// Average step over the history window.
int32_t MeanStep(int32_t value, const uint16_t* history, int32_t n)
{
    if (n <= 0)
        return 0;
    return DivNearest(std::abs(value - history[0]), std::min(n, HISTORY));
}

// Mean of the value and the last m entries of the history. A window of zero
// or below leaves the value as it is (it would divide by zero or less).
int32_t Average(int32_t value, const uint16_t* history, int32_t n, int32_t m)
{
    m = std::min(m, n);
    if (m <= 0)
        return value;
    int32_t sum = value;
    for (int32_t i = n - m; i < n; ++i)
        sum += history[i];
    return DivNearest(sum, m + 1);
}

// 1-4-1 weighting of the two newest history entries and the value.
int32_t ThreePoint(int32_t value, const uint16_t* history, int32_t n)
{
    const int32_t k = std::min(n, HISTORY) - 2;
    if (k < 0)
        return value;
    return (history[k] + 4 * history[k + 1] + value + 3) / 6;
}

// Every entry read before any is written, in registers: no call, and no
// stack copy to read back.
template <typename T> void ShiftDown(T* history)
{
    static_assert(HISTORY == 8, "one line per entry");
    const T e1 = history[1], e2 = history[2], e3 = history[3], e4 = history[4], e5 = history[5], e6 = history[6],
            e7 = history[7];
    history[0] = e1, history[1] = e2, history[2] = e3, history[3] = e4, history[4] = e5, history[5] = e6,
    history[6] = e7;
}

// Fills from index 0; a full history drops its oldest entry.
void Push(uint16_t* history, int32_t n, int32_t value)
{
    if (n < HISTORY) {
        history[n] = static_cast<uint16_t>(value);
        return;
    }
    ShiftDown(history);
    history[HISTORY - 1] = static_cast<uint16_t>(value);
}

}  // namespace

void CFilter::Reset(uint8_t pathSelector)
{
    n_ = 0;
    level_ = 255;
    mode_ = MODE_NONE;
    window_ = 0;
    std::memset(directions_, 0, sizeof directions_);
    std::memset(turns_, 0, sizeof turns_);
    pathSelector_ = pathSelector;
}

uint8_t CFilter::Direction(int32_t dx, int32_t dy)
{
    if (dy == 0)
        return dx >= 0 ? 0 : 128;
    if (dx == 0)
        return dy > 0 ? 64 : 192;
    // 64-bit so that the magnitude of the most negative step exists.
    const int64_t ax = std::llabs(static_cast<int64_t>(dx));
    const int64_t ay = std::llabs(static_cast<int64_t>(dy));
    if (ax == ay) {
        if (dx > 0)
            return dy > 0 ? 32 : 224;
        return dy > 0 ? 96 : 160;
    }
    // The shorter side is below the longer here, so the ratio is below 256.
    const int64_t f = Quotient(256 * std::min(ax, ay), std::max(ax, ay));
    int32_t i = TANGENT_INDEX.of[f];
    if (ax < ay)
        i = 64 - i;
    int32_t angle;
    if (dx > 0)
        angle = dy > 0 ? i : 256 - i;
    else
        angle = dy > 0 ? 128 - i : 128 + i;
    return static_cast<uint8_t>(angle);  // 256 - 0 stays 0
}

int8_t CFilter::Turn(uint8_t previous, uint8_t current)
{
    int32_t d = static_cast<int32_t>(current) - static_cast<int32_t>(previous);
    if (d >= 128)
        d -= 256;
    else if (d < -128)
        d += 256;
    return static_cast<int8_t>(d);
}

int32_t CFilter::IntegerRoot(int32_t a)
{
    if (a < 1)
        return 0;
    int32_t r = std::min(128, a >> 1);
    while (r * r > a) {
        const int32_t next = (r + a / r) >> 1;
        if (next == r)
            break;
        r = next;
    }
    return r;
}

int32_t CFilter::TurnLevel() const
{
    const int32_t n = n_;
    if (n <= 0)
        return 3;
    // 64-bit sums: eight steps of up to 32767 units times a squared turn
    // exceed 32 bits.
    int64_t weights = 0, moment = 0, square = 0;
    for (int32_t i = 0; i < n; ++i) {
        const int64_t w = static_cast<int16_t>(steps_[i]);
        const int64_t t = turns_[i];
        weights += w;
        moment += t * w;
        square += t * t * w;
    }
    const int64_t divisor = weights != 0 ? weights : n;
    const int64_t mean = divisor > 0 ? Quotient(moment, divisor) : moment / divisor;
    const int64_t variance =
        std::clamp<int64_t>((divisor > 0 ? Quotient(square, divisor) : square / divisor) - mean * mean, 0, INT32_MAX);
    int64_t spread = IntegerRoot(static_cast<int32_t>(variance));
    const int64_t h = std::llabs(turns_[n - 1] - mean);
    int64_t level = (h + spread - std::llabs(mean)) / 16 + 3;
    spread = std::clamp<int64_t>(spread, 1, 16);
    if (h > spread)
        level += h / spread;
    return static_cast<int32_t>(std::clamp<int64_t>(level, -8, 8));
}

int32_t CFilter::StepLevel(int32_t v)
{
    const int32_t level = level_;
    if (level <= 8) {
        if (v > level + 1)
            v = level + 1;
        else if (v + 1 < level)
            v = level - 1;
    }
    // A quickly turning slow stroke can ask for less than nothing; the level
    // stays within 0..8 and the window never goes negative.
    v = std::max(v, 0);
    level_ = static_cast<uint8_t>(v);
    return v;
}

void CFilter::ApplyMode(int32_t& x, int32_t& y, int16_t mode, int32_t window)
{
    switch (mode) {
    case MODE_FILTERED_AVERAGE:
        x = Average(x, filteredX_, n_, window);
        y = Average(y, filteredY_, n_, window);
        break;
    case MODE_RAW_AVERAGE:
        x = Average(x, rawX_, n_, window);
        y = Average(y, rawY_, n_, window);
        break;
    case MODE_THREE_POINT:
        x = ThreePoint(x, rawX_, n_);
        y = ThreePoint(y, rawY_, n_);
        level_ = 3;
        break;
    default:
        break;
    }
}

void CFilter::AnalyseStep(uint16_t x, uint16_t y)
{
    if (n_ == 0)
        return;
    int32_t k = n_;
    if (n_ >= HISTORY) {
        ShiftDown(steps_);
        ShiftDown(directions_);
        ShiftDown(turns_);
        k = HISTORY - 1;
    }
    const int32_t dx = static_cast<int16_t>(x - rawX_[k - 1]);
    const int32_t dy = static_cast<int16_t>(y - rawY_[k - 1]);
    directions_[k] = Direction(dx, dy);
    if (n_ > 1)
        turns_[k] = Turn(directions_[k - 1], directions_[k]);
    steps_[k] = static_cast<uint16_t>(std::max(std::abs(dx), std::abs(dy)));
}

// The first samples of a stroke, or every sample on the selected path.
void CFilter::SmoothPathA(int32_t& x, int32_t& y, int32_t speed, int32_t window)
{
    int16_t mode;
    if (speed >= 24 && level_ <= 4) {
        mode = MODE_THREE_POINT;
        window = 0;
    } else {
        window = StepLevel(window);
        mode = speed >= 4 ? MODE_RAW_AVERAGE : MODE_FILTERED_AVERAGE;
    }
    if (mode == mode_) {
        ApplyMode(x, y, mode, window);
    } else {
        // A change of mode blends the old and the new result once.
        int32_t oldX = x, oldY = y;
        ApplyMode(oldX, oldY, mode_, window);
        ApplyMode(x, y, mode, window);
        x = (x + oldX) >> 1;
        y = (y + oldY) >> 1;
    }
    mode_ = mode;
}

// A full history: slow strokes also weigh how steadily they turn.
void CFilter::SmoothPathB(int32_t& x, int32_t& y, int32_t speed, int32_t window, int tipDown)
{
    int16_t mode;
    if (speed >= 32 && level_ <= 4) {
        mode = MODE_THREE_POINT;
        window = 3;
    } else if (speed >= 16) {
        window = StepLevel(window);
        mode = MODE_RAW_AVERAGE;
    } else {
        window = StepLevel(std::min((TurnLevel() + window) >> 1, 8));
        int32_t threshold = 8;
        if (tipDown == 1)
            threshold = thresholdVariant_ == 1023 ? 4 : 10;
        else if (tipDown == 3)
            threshold = 24;
        mode = window + speed >= threshold ? MODE_RAW_AVERAGE : MODE_FILTERED_AVERAGE;
    }
    ApplyMode(x, y, mode, window);
    mode_ = mode;
    window_ = static_cast<int16_t>(window);
}

void CFilter::Predict(uint16_t& x, uint16_t& y)
{
    const int32_t n = n_;
    predictStepX_ = n >= 3 ? rawX_[n - 1] - rawX_[n - 3] : 0;
    predictStepY_ = n >= 3 ? rawY_[n - 1] - rawY_[n - 3] : 0;
    accumulatorX_ = 0;
    accumulatorY_ = 0;
    if (n >= 4) {
        accumulatorX_ = static_cast<int16_t>(accumulatorX_ + predictStepX_);
        accumulatorY_ = static_cast<int16_t>(accumulatorY_ + predictStepY_);
        // Repeated predictions stay on the tablet instead of running off it.
        lastX_ = std::clamp(lastX_ + (accumulatorX_ >> 2), 0, 0xFFFF);
        lastY_ = std::clamp(lastY_ + (accumulatorY_ >> 2), 0, 0xFFFF);
    }
    x = static_cast<uint16_t>(lastX_);
    y = static_cast<uint16_t>(lastY_);
}

void CFilter::Process(uint16_t& x, uint16_t& y, int tipDown)
{
    AnalyseStep(x, y);
    if (tipDown == 0) {
        Predict(x, y);
        return;
    }
    const int32_t n = n_;
    const int32_t vx = (MeanStep(x, rawX_, n) + MeanStep(x, filteredX_, n)) >> 1;
    const int32_t vy = (MeanStep(y, rawY_, n) + MeanStep(y, filteredY_, n)) >> 1;
    const int32_t speed = std::max(vx, vy);
    const int32_t a = std::max(8 - DivNearest(vx, 2), 2);
    const int32_t b = std::max(8 - DivNearest(vy, 2), 2);
    const int32_t window = (a + b) >> 1;

    int32_t smoothedX = x, smoothedY = y;
    if (pathSelector_ != 0 || n < HISTORY)
        SmoothPathA(smoothedX, smoothedY, speed, window);
    else
        SmoothPathB(smoothedX, smoothedY, speed, window, tipDown);

    lastX_ = smoothedX;
    lastY_ = smoothedY;
    Push(rawX_, n, x);
    Push(rawY_, n, y);
    Push(filteredX_, n, smoothedX);
    Push(filteredY_, n, smoothedY);
    n_ = std::min(n + 1, HISTORY);
    x = static_cast<uint16_t>(smoothedX);
    y = static_cast<uint16_t>(smoothedY);
}
