#include "PreviewGeometry.h"

#include <algorithm>

namespace {

// Room the page keeps beside and below the thumbnails for the tablet picture.
constexpr int64_t FRAME_SIDE_ROOM = 180;
constexpr int64_t FRAME_BOTTOM_ROOM = 260;

int32_t Narrow(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

int32_t ScaleOf(int64_t desktopExtent, int64_t previewExtent)
{
    if (previewExtent < 1)
        previewExtent = 1;
    return Narrow(std::max<int64_t>(1, desktopExtent / previewExtent));
}

}  // namespace

void PreviewGeometry::SetFrame(const RECT32& page, const RECT32& groupBox)
{
    // Right and bottom come from the box's size, as the page's layout was drawn for.
    frame_.left = Narrow(int64_t{groupBox.left} - page.left + 5);
    frame_.top = Narrow(int64_t{groupBox.top} - page.top + 15);
    frame_.right = Narrow(int64_t{groupBox.right} - groupBox.left + 5);
    frame_.bottom = Narrow(int64_t{groupBox.bottom} - groupBox.top - 25);
}

void PreviewGeometry::UpdateScales(const RECT32& desktop)
{
    scaleX_ = ScaleOf(int64_t{desktop.right} - desktop.left, int64_t{frame_.right} - frame_.left - FRAME_SIDE_ROOM);
    scaleY_ = ScaleOf(int64_t{desktop.bottom} - desktop.top, int64_t{frame_.bottom} - frame_.top - FRAME_BOTTOM_ROOM);
}

RECT32 PreviewGeometry::Thumbnail(const MonitorInfo& monitor, const RECT32& desktop) const
{
    const int64_t left = frame_.left + (int64_t{monitor.x} + OffsetX(desktop) - desktop.left) / scaleX_;
    const int64_t top = frame_.top + (int64_t{monitor.y} + OffsetY(desktop) - desktop.top) / scaleY_;
    return {Narrow(left), Narrow(top), Narrow(left + int64_t{monitor.width} / scaleX_),
            Narrow(top + int64_t{monitor.height} / scaleY_)};
}

RECT32 PreviewGeometry::ScreenArea(const RECT32& fractions, const RECT32& desktop) const
{
    const int64_t width = int64_t{desktop.right} - desktop.left;
    const int64_t height = int64_t{desktop.bottom} - desktop.top;
    auto x = [&](int32_t fraction) {
        return Narrow(frame_.left + (OffsetX(desktop) + width * fraction / SCREEN_FRACTION_MAX) / scaleX_);
    };
    auto y = [&](int32_t fraction) {
        return Narrow(frame_.top + (OffsetY(desktop) + height * fraction / SCREEN_FRACTION_MAX) / scaleY_);
    };
    return {x(fractions.left), y(fractions.top), x(fractions.right), y(fractions.bottom)};
}
