// The watcher's round on each display change: search the display that holds
// the tablet's mapped area and publish its rotation when it changed.
#pragma once

#include "DisplayConfigQuery.h"
#include "DisplayRotation.h"

class ViewtapWatcher {
public:
    // The search: 1..4, 0 when the display query failed, -1 when the key
    // area is missing or no single display holds the mapped area.
    int32_t QueryTabletDisplayRotation();
    // At start: the first search's result becomes the state, nothing is published.
    void Start();
    // On WM_DISPLAYCHANGE; true when a rotation was published.
    bool OnDisplayChange();

private:
    DisplayConfigQuery query_;
    rotation::RotationWatch watch_;
};
