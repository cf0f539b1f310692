// The tablet picture of the mapping page and the tablet-area rectangle on it:
// conversions between tablet units and picture pixels, and the rectangle's
// drag handles with the clamps that keep it on the picture's usable part.
#pragma once

#include "MappingRecord.h"
#include "TabletRecords.h"

#include <cstdint>

enum class DragHandle { None, TopLeft, BottomRight, TopRight, BottomLeft, Interior };

// Modifier state of a mouse move: only the left button held drags.
constexpr uint32_t DRAG_LEFT_BUTTON_ONLY = 1;  // MK_LBUTTON

class TabletPicture {
public:
    static constexpr int32_t ORIGIN_X = 170;
    static constexpr int32_t ORIGIN_Y = 270;
    // The usable part of the picture, 115 x 95 pixels.
    static constexpr int32_t USABLE_LEFT = ORIGIN_X + 24;
    static constexpr int32_t USABLE_TOP = ORIGIN_Y + 21;
    static constexpr int32_t LIMIT_RIGHT = ORIGIN_X + 139;
    static constexpr int32_t LIMIT_BOTTOM = ORIGIN_Y + 116;
    static constexpr int32_t USABLE_WIDTH = LIMIT_RIGHT - USABLE_LEFT;
    static constexpr int32_t USABLE_HEIGHT = LIMIT_BOTTOM - USABLE_TOP;

    const RECT32& Area() const { return area_; }
    void SetArea(const RECT32& preview) { area_ = preview; }

    // The whole usable part.
    void ShowWholeTablet();
    // The record's tablet area on the picture; a tablet without extent in a
    // direction shows the whole picture in it.
    void ShowTabletArea(const TABLETINFO& info, const RECT32& tabletArea);
    // The rectangle the calibration found (its own scale: 139 x 116 pixels
    // for the tablet's extent).
    void ShowCalibratedArea(const TABLETINFO& info, const RECT32& tabletArea);
    // Auto Setting: the whole picture, then the edge the fit moves.
    void ShowFit(const AspectFit& fit);
    // The record's tablet area for the rectangle shown.
    RECT32 TabletAreaOf(const TABLETINFO& info) const;

    DragHandle HitTest(int32_t x, int32_t y) const;
    // One mouse move over `handle` to (x, y) with the key state; the previous
    // pointer position is (lastX, lastY). True when the rectangle changed.
    bool Drag(DragHandle handle, int32_t x, int32_t y, int32_t lastX, int32_t lastY, uint32_t keyState);

private:
    void DragLeft(int32_t x) { if (USABLE_LEFT <= x && x < area_.right - 5) area_.left = x; }
    void DragTop(int32_t y) { if (USABLE_TOP <= y && y < area_.bottom - 5) area_.top = y; }
    void DragRight(int32_t x) { if (area_.left + 5 <= x && x < LIMIT_RIGHT) area_.right = x; }
    void DragBottom(int32_t y) { if (area_.top + 5 <= y && y < LIMIT_BOTTOM) area_.bottom = y; }
    void Move(int32_t dx, int32_t dy);

    RECT32 area_{USABLE_LEFT, USABLE_TOP, LIMIT_RIGHT, LIMIT_BOTTOM};
};
