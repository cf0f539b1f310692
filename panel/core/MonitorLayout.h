// The monitors the mapping page shows, in the order the display devices were
// listed, and the bounding box of all of them (the virtual desktop). Screen
// areas are stored as fractions 0..65535 of that box, measured from its
// top-left corner, so a monitor left of the primary has negative positions
// but a fraction of 0.
#pragma once

#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int32_t MONITOR_FLAG_PRIMARY = 1;
constexpr int32_t SCREEN_FRACTION_MAX = 0xFFFF;

struct MonitorInfo {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t flags = 0;
};

class MonitorLayout {
public:
    MonitorLayout() = default;
    explicit MonitorLayout(std::vector<MonitorInfo> monitors);

    size_t Count() const { return monitors_.size(); }
    // Null past the end: a stored selection may outlive a monitor.
    const MonitorInfo* At(size_t index) const;
    // Left, top, right, bottom of all monitors (all 0 without monitors).
    const RECT32& Bounds() const { return bounds_; }
    int64_t DesktopWidth() const { return int64_t{bounds_.right} - bounds_.left; }
    int64_t DesktopHeight() const { return int64_t{bounds_.bottom} - bounds_.top; }

    // Entries of the monitor combo: "Full Monitor" alone with one monitor,
    // else "Full Monitor" and one entry per monitor.
    int ComboEntryCount() const { return monitors_.size() < 2 ? 1 : static_cast<int>(monitors_.size()) + 1; }

    // A screen rectangle as fractions of the desktop, each edge clamped into
    // 0..65535; a desktop without width or height gives the whole area.
    RECT32 FractionsOf(const RECT32& screen) const;
    // Position to position + size of monitor k (the desktop for a missing one).
    RECT32 MonitorRect(size_t index) const;
    // The rectangle of combo entry `selection`: 0 the desktop, k monitor k - 1.
    RECT32 SelectionRect(int selection) const;

    static int32_t MinOfInts(const int32_t* values, size_t count);
    static int32_t MaxOfInts(const int32_t* values, size_t count);

private:
    std::vector<MonitorInfo> monitors_;
    RECT32 bounds_{};
};
