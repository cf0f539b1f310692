// The rotary knob's arithmetic, free of windows: where the disc lies, where
// a value points, which value a point means, and the colour shifts of its
// shading. Angles are in degrees, clockwise on screen, 0 to the right of the
// centre; the 270-degree sweep runs from 135 (lower left) to 405 (lower right).
#pragma once
#include <cstdint>
#include "Geometry.h"

struct KnobSquare {
    int x = 0, y = 0, width = 0, height = 0;
    bool Contains(int px, int py) const { return x <= px && px < x + width && y <= py && py < y + height; }
    bool operator==(const KnobSquare& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

struct KnobRange {
    int minimum = 0;
    int maximum = 0;
    long long Span() const { return static_cast<long long>(maximum) - minimum; }
};

class KnobGeometry {
public:
    // The disc inside a client area: 10 % margin of the shorter side.
    static KnobSquare SquareForClient(int clientWidth, int clientHeight);
    static CPoint Centre(const KnobSquare& square) {
        return {square.x + square.width / 2, square.y + square.height / 2};
    }
    // Angle of a value, measured from the range's minimum.
    static int AngleOf(int value, const KnobRange& range);
    // Centre of the pointer ring for the value; (0, 0) for an empty range.
    static CPoint PointerPosition(const KnobSquare& square, int value, const KnobRange& range);
    // A point `inset` x 2 pixels in from the rim at the value's angle.
    static CPoint TickPoint(int inset, int value, const KnobSquare& square, const KnobRange& range);
    // The value under a point, clamped to the range; the centre itself and
    // an empty range give the minimum.
    static int PointToValue(int x, int y, CPoint centre, const KnobRange& range);
    // Moves red, green and blue by one common step so none leaves 0..255;
    // amounts outside -255..255 (as a 16-bit value) leave the colour.
    static std::uint32_t ShiftColor(std::uint32_t argb, int amount);
    // 0x00BBGGRR system colour to opaque 0xFFRRGGBB.
    static std::uint32_t ArgbFromColorref(std::uint32_t colorref);
};
