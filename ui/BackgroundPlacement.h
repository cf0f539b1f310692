// Where a background bitmap goes in a client area, for each draw mode of the
// background dialog base.
#pragma once
#include <vector>
#include "Geometry.h"

struct BackgroundPlacement {
    bool stretch = false;       // one StretchBlt over the whole client area
    std::vector<CPoint> copies;  // otherwise one full-size BitBlt per point
};

enum BackgroundMode : unsigned char {
    kTile = 0,
    kCentre = 1,
    kStretch = 2,
    kTileTop = 3,
    kTileBottom = 4,
    kTileLeft = 5,
    kTileRight = 6,
    kTopLeft = 7,
    kTopRight = 8,
    kTopCentre = 9,
    kBottomLeft = 10,
    kBottomRight = 11,
    kBottomCentre = 12,
};

// A mode above 12 places nothing. A bitmap of width or height 0 places
// nothing either (tiling it would never advance).
BackgroundPlacement PlaceBackground(unsigned mode, SIZE client, SIZE bitmap);
