#include "BackgroundPlacement.h"

namespace {

// Half of the free space, signed: a bitmap larger than the area is centred
// over it and cut on both sides.
LONG CentreOffset(LONG area, LONG picture) { return (area - picture) / 2; }

void TileRow(BackgroundPlacement& placement, LONG y, LONG width, LONG step) {
    for (LONG x = 0; x < width; x += step) placement.copies.emplace_back(x, y);
}

void TileColumn(BackgroundPlacement& placement, LONG x, LONG height, LONG step) {
    for (LONG y = 0; y < height; y += step) placement.copies.emplace_back(x, y);
}

}  // namespace

BackgroundPlacement PlaceBackground(unsigned mode, SIZE client, SIZE bitmap) {
    BackgroundPlacement placement;
    const LONG W = client.cx, H = client.cy, w = bitmap.cx, h = bitmap.cy;
    if (w <= 0 || h <= 0) return placement;
    switch (mode) {
    case kTile:
        for (LONG y = 0; y < H; y += h) TileRow(placement, y, W, w);
        break;
    case kCentre: placement.copies.emplace_back(CentreOffset(W, w), CentreOffset(H, h)); break;
    case kStretch: placement.stretch = true; break;
    case kTileTop: TileRow(placement, 0, W, w); break;
    case kTileBottom: TileRow(placement, H - h, W, w); break;
    case kTileLeft: TileColumn(placement, 0, H, h); break;
    case kTileRight: TileColumn(placement, W - w, H, h); break;
    case kTopLeft: placement.copies.emplace_back(0, 0); break;
    case kTopRight: placement.copies.emplace_back(W - w, 0); break;
    case kTopCentre: placement.copies.emplace_back(CentreOffset(W, w), 0); break;
    case kBottomLeft: placement.copies.emplace_back(0, H - h); break;
    case kBottomRight: placement.copies.emplace_back(W - w, H - h); break;
    case kBottomCentre: placement.copies.emplace_back(CentreOffset(W, w), H - h); break;
    default: break;
    }
    return placement;
}
