// The mapping page's copy of one tablet's record: the TABLETINFO and the
// MAPPINGDEF it edits, and the key count that follows them. Every edit the
// page makes goes through here, so the arithmetic is the same for the page,
// its tests and its fuzz target.
#pragma once

#include "MonitorLayout.h"
#include "TabletRecords.h"

#include <cstdint>

constexpr int32_t MONITOR_CHOICE_DESKTOP = -1;
constexpr int32_t MONITOR_CHOICE_PICKED = -2;

// How much of one tablet extent a screen of another aspect ratio keeps.
struct AspectFit {
    bool whole = true;          // the screen's or the tablet's size is unknown: all of the tablet
    bool limitsHeight = false;  // true: the bottom edge moves, else the right edge
    int64_t numerator = 1;      // kept part = extent * numerator / denominator
    int64_t denominator = 1;
};

class MappingRecord {
public:
    MappingRecord() = default;
    explicit MappingRecord(const TABLETRECORD_HEAD& head) : head_(head) {}

    // A record for a tablet that has none yet: the whole desktop onto the
    // whole tablet. The reserved words hold the desktop's left, top, right,
    // top, twice.
    static MappingRecord Fresh(const TABLETINFO& info, const RECT32& desktop);

    const TABLETRECORD_HEAD& Head() const { return head_; }
    TABLETRECORD_HEAD& Head() { return head_; }
    const TABLETINFO& Info() const { return head_.info; }
    const MAPPINGDEF& Mapping() const { return head_.mapping; }

    // Monitor combo entry `selection` of `entries`: 0 the whole desktop, k
    // monitor k - 1; with one entry the single monitor. A selection past the
    // list (a monitor gone since it was stored) counts as the whole desktop.
    void SelectMonitor(const MonitorLayout& monitors, int entries, int selection);
    // An area picked on the screen (corners in screen pixels).
    void SetPickedArea(const MonitorLayout& monitors, int entries, const RECT32& picked);
    // The tablet area: all of it, or a rectangle in tablet units.
    void SetWholeTablet();
    void SetTabletArea(const RECT32& area) { head_.mapping.tabletArea = area; }
    // Auto Setting: the whole tablet, its right or bottom edge moved so the
    // area has the screen's aspect ratio.
    void FitTabletArea(const AspectFit& fit);

    // The kept part of the tablet for a w x h screen, from the tablet's
    // width and height words. A zero word or screen size keeps everything.
    static AspectFit FitOf(int64_t screenWidth, int64_t screenHeight, uint16_t tabletWidth, uint16_t tabletHeight);

private:
    TABLETRECORD_HEAD head_{};
};
