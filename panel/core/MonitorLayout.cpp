#include "MonitorLayout.h"

#include <algorithm>

namespace {

int32_t Fraction(int64_t offset, int64_t extent)
{
    if (extent <= 0)
        return 0;
    const int64_t value = offset * SCREEN_FRACTION_MAX / extent;
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, SCREEN_FRACTION_MAX));
}

int32_t Saturate(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

MonitorLayout::MonitorLayout(std::vector<MonitorInfo> monitors) : monitors_(std::move(monitors))
{
    if (monitors_.empty())
        return;
    std::vector<int32_t> lefts, tops, rights, bottoms;
    for (const MonitorInfo& m : monitors_) {
        lefts.push_back(m.x);
        tops.push_back(m.y);
        rights.push_back(Saturate(int64_t{m.x} + m.width));
        bottoms.push_back(Saturate(int64_t{m.y} + m.height));
    }
    bounds_ = {MinOfInts(lefts.data(), lefts.size()), MinOfInts(tops.data(), tops.size()),
               MaxOfInts(rights.data(), rights.size()), MaxOfInts(bottoms.data(), bottoms.size())};
}

const MonitorInfo* MonitorLayout::At(size_t index) const
{
    return index < monitors_.size() ? &monitors_[index] : nullptr;
}

RECT32 MonitorLayout::FractionsOf(const RECT32& screen) const
{
    const int64_t width = DesktopWidth();
    const int64_t height = DesktopHeight();
    if (width <= 0 || height <= 0)
        return {0, 0, SCREEN_FRACTION_MAX, SCREEN_FRACTION_MAX};
    return {Fraction(int64_t{screen.left} - bounds_.left, width), Fraction(int64_t{screen.top} - bounds_.top, height),
            Fraction(int64_t{screen.right} - bounds_.left, width),
            Fraction(int64_t{screen.bottom} - bounds_.top, height)};
}

RECT32 MonitorLayout::MonitorRect(size_t index) const
{
    const MonitorInfo* m = At(index);
    if (m == nullptr)
        return bounds_;
    return {m->x, m->y, Saturate(int64_t{m->x} + m->width), Saturate(int64_t{m->y} + m->height)};
}

RECT32 MonitorLayout::SelectionRect(int selection) const
{
    return selection <= 0 ? bounds_ : MonitorRect(static_cast<size_t>(selection) - 1);
}

int32_t MonitorLayout::MinOfInts(const int32_t* values, size_t count)
{
    return count == 0 ? 0 : *std::min_element(values, values + count);
}

int32_t MonitorLayout::MaxOfInts(const int32_t* values, size_t count)
{
    return count == 0 ? 0 : *std::max_element(values, values + count);
}
