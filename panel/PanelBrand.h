// Which brand of the panel this build is. Windowless modules take brand
// differences as policy values instead, so both brands are tested natively.
#pragma once

#include "MainDialogBrand.h"

#ifndef INKBRID_BRAND_PENMIRA
#define INKBRID_BRAND_PENMIRA 0
#endif

inline constexpr bool kPenmiraPanel = INKBRID_BRAND_PENMIRA != 0;

// The main dialog frame's differences of this build.
inline constexpr const MainDialog::Brand& kMainDialogBrand =
    kPenmiraPanel ? MainDialog::kPenmiraMainDialog : MainDialog::kStyloraMainDialog;
