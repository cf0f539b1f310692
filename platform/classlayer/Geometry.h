// Points, sizes and rectangles with the arithmetic the windows code needs,
// layout-compatible with the Win32 structures they extend.
#pragma once
#include <windows.h>

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(LONG px, LONG py) : POINT{px, py} {}
    explicit CPoint(LPARAM packed)
        : POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))} {}
    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
};

struct CSize : SIZE {
    CSize() : SIZE{0, 0} {}
    CSize(LONG width, LONG height) : SIZE{width, height} {}
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
    CRect(const RECT& other) : RECT(other) {}  // NOLINT: plain widening, as RECT is
    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    CPoint TopLeft() const { return {left, top}; }
    void Inflate(LONG dx, LONG dy) { InflateRect(this, dx, dy); }
    bool operator==(const CRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};
