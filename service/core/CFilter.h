// Adaptive smoothing of the pen position while the tip is down: light
// three-point smoothing for fast strokes, a moving average of up to eight
// samples for slow ones. Integer arithmetic, no allocation.
#pragma once

#include <cstdint>

class CFilter {
public:
    static constexpr int HISTORY = 8;

    CFilter() { Reset(0); }
    virtual ~CFilter() = default;

    void Reset(uint8_t pathSelector);
    // tipDown non-zero smooths x and y in place; 0 puts the predicted position there.
    void Process(uint16_t& x, uint16_t& y, int tipDown);
    void SetThresholdVariant(int16_t variant) { thresholdVariant_ = variant; }

    // Building blocks, public for their own tests.
    static uint8_t Direction(int32_t dx, int32_t dy);
    static int8_t Turn(uint8_t previous, uint8_t current);
    static int32_t IntegerRoot(int32_t a);
    // How steadily the recent steps turn, -8..8 (3 for a straight stroke).
    int32_t TurnLevel() const;

    uint8_t SmoothingLevel() const { return level_; }
    int16_t CurrentMode() const { return mode_; }
    int16_t CurrentWindow() const { return window_; }

private:
    void AnalyseStep(uint16_t x, uint16_t y);
    int32_t StepLevel(int32_t v);
    void ApplyMode(int32_t& x, int32_t& y, int16_t mode, int32_t window);
    void SmoothPathA(int32_t& x, int32_t& y, int32_t speed, int32_t window);
    void SmoothPathB(int32_t& x, int32_t& y, int32_t speed, int32_t window, int tipDown);
    void Predict(uint16_t& x, uint16_t& y);

    int32_t n_ = 0;
    uint16_t filteredX_[HISTORY] = {};
    uint16_t filteredY_[HISTORY] = {};
    uint16_t rawX_[HISTORY] = {};
    uint16_t rawY_[HISTORY] = {};
    uint16_t steps_[HISTORY] = {};
    uint8_t directions_[HISTORY] = {};
    int8_t turns_[HISTORY] = {};
    int32_t lastX_ = 0;
    int32_t lastY_ = 0;
    int32_t predictStepX_ = 0;
    int32_t predictStepY_ = 0;
    uint8_t level_ = 255;
    uint8_t pathSelector_ = 0;
    int16_t accumulatorX_ = 0;
    int16_t accumulatorY_ = 0;
    int16_t mode_ = 0;
    int16_t window_ = 0;
    int16_t thresholdVariant_ = 0;
};
