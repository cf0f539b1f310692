#include "TabletPicture.h"

#include <algorithm>
#include <cstdlib>

namespace {

int32_t Narrow(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// offset * pixels / extent, or `whole` for a tablet without extent.
int64_t Scaled(int64_t offset, int64_t pixels, int64_t extent, int64_t whole)
{
    return extent == 0 ? whole : offset * pixels / extent;
}

bool Near(int32_t x, int32_t y, int32_t cornerX, int32_t cornerY)
{
    return std::abs(int64_t{x} - cornerX) <= 5 && std::abs(int64_t{y} - cornerY) <= 5;
}

}  // namespace

void TabletPicture::ShowWholeTablet()
{
    area_ = {USABLE_LEFT, USABLE_TOP, LIMIT_RIGHT, LIMIT_BOTTOM};
}

void TabletPicture::ShowTabletArea(const TABLETINFO& info, const RECT32& tabletArea)
{
    const int64_t width = int64_t{info.xMax} - info.xMin;
    const int64_t height = int64_t{info.yMax} - info.yMin;
    area_.left = Narrow(USABLE_LEFT + Scaled(int64_t{tabletArea.left} - info.xMin, USABLE_WIDTH, width, 0));
    area_.right = Narrow(USABLE_LEFT + Scaled(int64_t{tabletArea.right} - info.xMin, USABLE_WIDTH, width, USABLE_WIDTH));
    area_.top = Narrow(USABLE_TOP + Scaled(int64_t{tabletArea.top} - info.yMin, USABLE_HEIGHT, height, 0));
    area_.bottom =
        Narrow(USABLE_TOP + Scaled(int64_t{tabletArea.bottom} - info.yMin, USABLE_HEIGHT, height, USABLE_HEIGHT));
}

void TabletPicture::ShowCalibratedArea(const TABLETINFO& info, const RECT32& tabletArea)
{
    const int64_t width = int64_t{info.xMax} - info.xMin;
    const int64_t height = int64_t{info.yMax} - info.yMin;
    area_.left = Narrow(Scaled(tabletArea.left, 139, width, 0) + USABLE_LEFT);
    area_.top = Narrow(Scaled(tabletArea.top, 116, height, 0) + USABLE_TOP);
    area_.right = Narrow(Scaled(tabletArea.right, 139, width, 139) + ORIGIN_X);
    area_.bottom = Narrow(Scaled(tabletArea.bottom, 116, height, 116) + ORIGIN_Y);
}

void TabletPicture::ShowFit(const AspectFit& fit)
{
    ShowWholeTablet();
    if (fit.whole || fit.denominator <= 0)
        return;
    if (fit.limitsHeight)
        area_.bottom = Narrow(ORIGIN_Y + 116 * fit.numerator / fit.denominator);
    else
        area_.right = Narrow(ORIGIN_X + 139 * fit.numerator / fit.denominator);
}

RECT32 TabletPicture::TabletAreaOf(const TABLETINFO& info) const
{
    const int64_t width = int64_t{info.xMax} - info.xMin;
    const int64_t height = int64_t{info.yMax} - info.yMin;
    auto x = [&](int32_t px) { return Narrow((int64_t{px} - LIMIT_RIGHT + USABLE_WIDTH) * width / USABLE_WIDTH + info.xMin); };
    auto y = [&](int32_t py) {
        return Narrow((int64_t{py} - LIMIT_BOTTOM + USABLE_HEIGHT) * height / USABLE_HEIGHT + info.yMin);
    };
    return {x(area_.left), y(area_.top), x(area_.right), y(area_.bottom)};
}

DragHandle TabletPicture::HitTest(int32_t x, int32_t y) const
{
    if (Near(x, y, area_.left, area_.top))
        return DragHandle::TopLeft;
    if (Near(x, y, area_.right, area_.bottom))
        return DragHandle::BottomRight;
    if (Near(x, y, area_.right, area_.top))
        return DragHandle::TopRight;
    if (Near(x, y, area_.left, area_.bottom))
        return DragHandle::BottomLeft;
    if (area_.left + 5 < x && x < area_.right - 5 && area_.top + 5 < y && y < area_.bottom - 5)
        return DragHandle::Interior;
    return DragHandle::None;
}

bool TabletPicture::Drag(DragHandle handle, int32_t x, int32_t y, int32_t lastX, int32_t lastY, uint32_t keyState)
{
    if (keyState != DRAG_LEFT_BUTTON_ONLY || handle == DragHandle::None)
        return false;
    const RECT32 before = area_;
    switch (handle) {
    case DragHandle::TopLeft: DragLeft(x); DragTop(y); break;
    case DragHandle::BottomRight: DragRight(x); DragBottom(y); break;
    case DragHandle::TopRight: DragRight(x); DragTop(y); break;
    case DragHandle::BottomLeft: DragLeft(x); DragBottom(y); break;
    case DragHandle::Interior:
        if (x == lastX && y == lastY)
            return false;
        Move(x - lastX, y - lastY);
        break;
    case DragHandle::None: break;
    }
    return before.left != area_.left || before.top != area_.top || before.right != area_.right ||
           before.bottom != area_.bottom;
}

void TabletPicture::Move(int32_t dx, int32_t dy)
{
    // Each step is clamped to the room left on that side, never negative.
    int64_t stepX = dx;
    if (dx < 0)
        stepX = -std::clamp<int64_t>(-int64_t{dx}, 0, std::max<int64_t>(0, int64_t{area_.left} - USABLE_LEFT));
    else
        stepX = std::clamp<int64_t>(dx, 0, std::max<int64_t>(0, int64_t{LIMIT_RIGHT} - area_.right));
    int64_t stepY = dy;
    if (dy < 0)
        stepY = -std::clamp<int64_t>(-int64_t{dy}, 0, std::max<int64_t>(0, int64_t{area_.top} - USABLE_TOP));
    else
        stepY = std::clamp<int64_t>(dy, 0, std::max<int64_t>(0, int64_t{LIMIT_BOTTOM} - area_.bottom));
    area_ = {Narrow(area_.left + stepX), Narrow(area_.top + stepY), Narrow(area_.right + stepX),
             Narrow(area_.bottom + stepY)};
}
