// Which brand of the panel this build is. Windowless modules take brand
// differences as policy values instead, so both brands are tested natively.
#pragma once

#ifndef INKBRID_BRAND_PENMIRA
#define INKBRID_BRAND_PENMIRA 0
#endif

inline constexpr bool kPenmiraPanel = INKBRID_BRAND_PENMIRA != 0;
