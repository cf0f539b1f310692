// The pictures behind the image menu's flat look: the faded and shadow
// copies of an item image, and the embossed form of a disabled one.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "GdiObjects.h"

class MenuImageVariants {
public:
    enum Variant { kNormal = 0, kFaded = 1, kShadow = 2, kVariantCount = 3 };

    // The first width x height picture of `source` three times: as it is,
    // with every non-background pixel lightened by 0.3, and with every
    // non-background pixel in `shadow`. False when a bitmap cannot be made.
    static bool Build(HBITMAP source, SIZE image, COLORREF background, COLORREF shadow,
                      CBitmap (&variants)[kVariantCount]);

    // The opaque shape of an image list entry in the highlight colour one
    // pixel right and down, then in the grey text colour at (x, y).
    static void Emboss(HDC dc, HIMAGELIST list, int index, int x, int y);
};
