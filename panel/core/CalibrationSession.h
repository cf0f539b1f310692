// The four-target calibration without its window: which target is shown,
// which pen lifts count as taps, and the tablet rectangle extrapolated from
// the four taps to the monitor's edges. The brands differ in their insets,
// the time between taps and the arithmetic of the result (a policy each).
#pragma once

#include "TabletRecords.h"

#include <cstdint>

struct CalibrationPolicy {
    int32_t generalInset;     // targets 1 and 4 across, and the extrapolation
    int32_t rightInset;       // targets 2 and 3 across
    int32_t verticalInset;    // targets 2, 3 and 4 up and down
    uint32_t minTapMillis;    // 0: taps may follow each other at once
    bool integerResult;       // halved sums and products in integers, no clamp at 0
    int32_t eraseHalfSize;    // half the square invalidated around a target
};

// The reference brand: one inset for everything (30, or 90 for some tablets).
CalibrationPolicy StyloraCalibration(int32_t inset);

// The second brand's insets: one set for the process. The models that need
// their own right and vertical insets set them, and later runs with other
// tablets keep what they set.
struct PenmiraInsets {
    int32_t general = 145;
    int32_t right = 145;
    int32_t vertical = 145;
};
void AdoptModelInsets(PenmiraInsets& insets, uint16_t productId);
CalibrationPolicy PenmiraCalibration(const PenmiraInsets& insets);

struct CalibrationPoint {
    int32_t x;
    int32_t y;
};

class CalibrationSession {
public:
    enum class Outcome {
        None,         // nothing accepted
        Ignored,      // a lift too soon after the previous tap
        NextTarget,   // a tap accepted, the next target is shown
        OrderError,   // four taps in the wrong order: StartAgain() once the user knows
        TooSmall,     // the rectangle is under 1000 units: StartAgain() once the user knows
        Done,         // Result() holds the tablet rectangle
        NoRoom,       // the window leaves no room between the insets: refused
    };

    CalibrationSession(const CalibrationPolicy& policy, int32_t width, int32_t height);

    // Room between the targets in both directions: without it the taps
    // cannot be extrapolated.
    bool HasRoom() const;
    // Centre of target n (1..4).
    CalibrationPoint Target(int n) const;
    // Centre of the target to erase after accepted tap n (1..4).
    CalibrationPoint ErasedAfter(int n) const;
    // Where target 1 is drawn again after a failed check.
    CalibrationPoint RestartTarget(Outcome failure) const;
    int TapState() const { return taps_; }
    // After a failed check the state stays at four taps, so that the pen
    // answering the error box is no tap; then this starts again at target 1.
    void StartAgain() { taps_ = 0; }

    // One WM_CALIBRATE_POINT: the pen button byte and the raw position; the
    // clock in milliseconds for the second brand's tap filter.
    Outcome Feed(uint32_t button, uint16_t x, uint16_t y, uint64_t nowMillis);
    const RECT32& Result() const { return result_; }
    const CalibrationPoint& Tap(int n) const { return points_[n - 1]; }

private:
    Outcome Accept(uint16_t x, uint16_t y, uint64_t nowMillis);
    Outcome Evaluate();
    bool InOrder() const;
    void Extrapolate();

    CalibrationPolicy policy_;
    int32_t width_;
    int32_t height_;
    int taps_ = 0;
    CalibrationPoint points_[4]{};
    uint32_t lastButton_ = 0;
    uint16_t lastX_ = 0;
    uint16_t lastY_ = 0;
    uint64_t lastTapMillis_ = 0;
    RECT32 result_{};
};
