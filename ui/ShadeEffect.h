// The shaded pictures of the shaded button: a shadow-face-highlight palette
// and eight index formulas with noise from a random source of 0..32767.
#pragma once
#include <windows.h>
#include <functional>
#include "CCeXDib.h"

using RandomSource = std::function<int()>;  // uniform 0..32767

struct ShadeColours {
    COLORREF shadow;
    COLORREF face;
    COLORREF highlight;
};

class ShadeEffect {
public:
    // Index 0 = shadow, about 128 = face, 255 = highlight.
    static void FillPalette(CCeXDib& picture, const ShadeColours& colours);
    // Writes the index picture of effect `type` (1..8, other = noise only)
    // with noise amplitude `granularity` (0..255).
    static void FillIndices(CCeXDib& picture, int type, int granularity, const RandomSource& random);
};
