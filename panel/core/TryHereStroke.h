// What each packet does in the try-here area: the pen tip draws a line whose
// width follows the pressure, the eraser clears a square of that size, and
// the stroke flag decides whether the next point is joined to the last.
#pragma once

#include "PenPagePolicy.h"
#include "WintabContract.h"

#include <cstdint>

class TryHereStroke {
public:
    static constexpr uint32_t kPenCursor = 1;
    static constexpr uint32_t kEraserCursor = 2;

    enum class Kind { Nothing, Draw, Erase };
    struct Step {
        Kind kind;
        int32_t size;  // line width or square side in pixels
    };
    enum class Move { MoveTo, LineTo, Skip };

    explicit TryHereStroke(const PenPagePolicy& policy) : policy_(policy) {}

    // Pressure 0, and pressure at or beyond the policy's end, draw nothing.
    Step Classify(const wintab::PANELPACKET& packet) const;
    // A button press in the area starts a joined stroke.
    void Begin() { joined_ = true; }
    // The drawing move for a pen point inside or outside the area's client rectangle.
    Move Advance(bool inside);

private:
    PenPagePolicy policy_;
    bool joined_ = false;
};
