// The response curve the pressure-curve window draws: 200 points in window
// pixels (y grows downwards) for a pressure sensitivity of 0..200, 100 being
// the straight diagonal, and the x of the dotted click-threshold marker.
#pragma once

#include <cstdint>

class PressureCurve {
public:
    static constexpr int kPointCount = 200;
    static constexpr int32_t kSize = 200;  // the window is kSize x kSize pixels
    static constexpr int32_t kInitialMarker = 43;

    struct Point {
        int32_t x;
        int32_t y;
    };

    // The diagonal, sensitivity 100, marker 43.
    PressureCurve();

    void Reset();
    // The curve of a sensitivity; values outside 0..200 count as the nearest end.
    void Compute(int32_t sensitivity);
    // The window's set message: lParam 0 sets the sensitivity, 1 the marker
    // (keeping the last sensitivity's curve); true when the window must redraw.
    bool OnSetMessage(uintptr_t wParam, intptr_t lParam);

    const Point& PointAt(int index) const { return points_[index]; }
    int32_t Sensitivity() const { return sensitivity_; }
    int32_t MarkerX() const { return markerX_; }

private:
    void SetEnds();

    Point points_[kPointCount];
    int32_t sensitivity_ = 100;
    int32_t markerX_ = kInitialMarker;
};
