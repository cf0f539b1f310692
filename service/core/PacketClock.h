// The millisecond clock stamped on pen packets: started from the tick count
// and advanced by the performance counter on every report.
#pragma once

#include "PenReportState.h"
#include "ServiceContext.h"

class PacketClock {
public:
    // Takes the time base at service start: frequency, counter and tick count.
    static void Start(ServiceContext& context, PenReportState& state);
    // Advances the clock by the counter time since the last report. False when
    // the counter has no frequency (the report is then dropped).
    static bool Advance(ServiceContext& context, PenReportState& state);
    // The clock starts again from the tick count.
    static void Restart(ServiceContext& context, PenReportState& state);
};
