// Where the mapping page draws the desktop: the preview frame inside the page,
// how many desktop pixels one preview pixel stands for, the monitors'
// thumbnails and the screen area's corners.
#pragma once

#include "MonitorLayout.h"
#include "TabletRecords.h"

#include <cstdint>

class PreviewGeometry {
public:
    // From the window rectangles of the page and of its preview group box.
    void SetFrame(const RECT32& page, const RECT32& groupBox);
    // Scales for this desktop; never below 1, whatever the sizes.
    void UpdateScales(const RECT32& desktop);

    const RECT32& Frame() const { return frame_; }
    int32_t ScaleX() const { return scaleX_; }
    int32_t ScaleY() const { return scaleY_; }

    RECT32 Thumbnail(const MonitorInfo& monitor, const RECT32& desktop) const;
    // Corners of a screen area (fractions 0..65535 of the desktop).
    RECT32 ScreenArea(const RECT32& fractions, const RECT32& desktop) const;

private:
    int64_t OffsetX(const RECT32& desktop) const { return desktop.left < 0 ? 20 - int64_t{desktop.left} : 20; }
    int64_t OffsetY(const RECT32& desktop) const { return desktop.top < 0 ? -int64_t{desktop.top} : 0; }

    RECT32 frame_{};
    int32_t scaleX_ = 8;
    int32_t scaleY_ = 8;
};
