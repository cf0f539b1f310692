#include "MappingRecord.h"

#include <algorithm>

namespace {

int32_t Narrow(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// The kept part of the extent min..max, measured from min, never past max.
int32_t FittedEdge(int32_t min, int32_t max, const AspectFit& fit)
{
    const int64_t kept = (int64_t{max} - min) * fit.numerator / fit.denominator;
    return Narrow(std::min<int64_t>(int64_t{min} + kept, max));
}

}  // namespace

MappingRecord MappingRecord::Fresh(const TABLETINFO& info, const RECT32& desktop)
{
    MappingRecord record;
    TABLETRECORD_HEAD& head = record.head_;
    head.info = info;
    head.mapping.monitorListCount = 1;
    head.mapping.monitorChoice = MONITOR_CHOICE_DESKTOP;
    head.mapping.monitorFlags = 0;
    const RECT32 reserved{desktop.left, desktop.top, desktop.right, desktop.top};
    head.mapping.reservedRect = reserved;
    head.mapping.reserved28 = reserved;
    head.mapping.screenArea = {0, 0, SCREEN_FRACTION_MAX, SCREEN_FRACTION_MAX};
    record.SetWholeTablet();
    head.keyCount = info.keyCount;
    return record;
}

void MappingRecord::SelectMonitor(const MonitorLayout& monitors, int entries, int selection)
{
    MAPPINGDEF& mapping = head_.mapping;
    mapping.monitorListCount = entries;
    const MonitorInfo* monitor = selection > 0 ? monitors.At(static_cast<size_t>(selection) - 1) : nullptr;
    if (entries >= 2 && monitor != nullptr) {
        mapping.monitorChoice = selection - 1;
        mapping.monitorFlags = monitor->flags;
        mapping.screenArea = monitors.FractionsOf(monitors.MonitorRect(static_cast<size_t>(selection) - 1));
        return;
    }
    mapping.screenArea = {0, 0, SCREEN_FRACTION_MAX, SCREEN_FRACTION_MAX};
    if (entries < 2) {
        mapping.monitorChoice = 0;
        mapping.monitorFlags = MONITOR_FLAG_PRIMARY;
    } else {
        mapping.monitorChoice = MONITOR_CHOICE_DESKTOP;
        mapping.monitorFlags = 0;
    }
}

void MappingRecord::SetPickedArea(const MonitorLayout& monitors, int entries, const RECT32& picked)
{
    MAPPINGDEF& mapping = head_.mapping;
    mapping.monitorListCount = entries;
    mapping.monitorFlags = 0;
    mapping.monitorChoice = MONITOR_CHOICE_PICKED;
    mapping.screenArea = monitors.FractionsOf(picked);
}

void MappingRecord::SetWholeTablet()
{
    head_.mapping.tabletArea = {head_.info.xMin, head_.info.yMin, head_.info.xMax, head_.info.yMax};
}

void MappingRecord::FitTabletArea(const AspectFit& fit)
{
    // The whole tablet first, as the preview shows it: an edge fitted onto a
    // dragged area could leave it empty or inverted, and the pen dead.
    SetWholeTablet();
    if (fit.whole || fit.denominator <= 0)
        return;
    const TABLETINFO& info = head_.info;
    RECT32& area = head_.mapping.tabletArea;
    if (fit.limitsHeight)
        area.bottom = FittedEdge(info.yMin, info.yMax, fit);
    else
        area.right = FittedEdge(info.xMin, info.xMax, fit);
}

AspectFit MappingRecord::FitOf(int64_t screenWidth, int64_t screenHeight, uint16_t tabletWidth, uint16_t tabletHeight)
{
    AspectFit fit;
    if (screenWidth <= 0 || screenHeight <= 0 || tabletWidth == 0 || tabletHeight == 0)
        return fit;
    fit.whole = false;
    const int64_t screenRows = screenHeight * tabletWidth;
    const int64_t screenColumns = screenWidth * tabletHeight;
    if (screenRows < screenColumns) {
        // The screen is relatively wider: the tablet area gets shorter.
        fit.limitsHeight = true;
        fit.numerator = screenRows;
        fit.denominator = screenColumns;
    } else {
        fit.numerator = screenColumns;
        fit.denominator = screenRows;
    }
    return fit;
}
