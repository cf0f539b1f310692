// What the mapping page does when the displays change: its monitor combo is
// rebuilt for the new list; with one monitor left the whole screen is chosen
// again, with several the brands treat the record differently. The monitor
// the page sizes Auto Setting and Part of Monitor against stays chosen while
// it is still there.
#pragma once

#include "MappingBrand.h"
#include "MonitorLayout.h"

struct DisplayChangePlan {
    int entries = 1;              // entries of the rebuilt monitor combo
    int comboSelection = -1;      // -1: none, the next paint shows the record's choice
    int storedSelection = 0;      // the page's monitor selection afterwards
    bool selectWholeScreen = false;  // one monitor: as if "Select Monitor" were pressed
    bool publish = false;
    bool recordToDesktop = false;    // the record's monitor choice becomes the whole desktop
};

// `storedSelection` is the page's monitor-combo entry before the change
// (0 the whole desktop, k monitor k - 1).
DisplayChangePlan PlanDisplayChange(const MappingBrand& brand, const MonitorLayout& monitors, int storedSelection);
