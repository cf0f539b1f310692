// The values WTInfoA reports: the default system context and the pen's
// orientation axes.
#pragma once

#include "TabletRecords.h"
#include "WintabContract.h"

#include <cstdint>

// The virtual screen in pixels.
struct DesktopArea {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

class DefaultContext {
public:
    // Input extents from `tablet` when it describes a real area, else the
    // key area's default tablet; system extents from `desktop`.
    static wintab::LOGCONTEXTA SystemContext(const TABLETINFO* tablet, const DesktopArea& desktop);
    // Azimuth, altitude and twist in tenths of a degree.
    static void OrientationAxes(wintab::AXIS axes[3]);

    static constexpr uint32_t ORIENTATION_AXIS_COUNT = 3;
};
