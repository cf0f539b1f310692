// A pen session as a tablet reports it, 10-byte reports: the pen comes into
// range, hovers, draws strokes with changing pressure and tilt, presses its
// buttons between strokes and leaves.
#pragma once

#include "PenReportBuilder.h"

#include <vector>

class RecordedStroke {
public:
    static std::vector<RawPenReport> Make();
};
