// Where a read thread hands the reports of its tablet: the pen pipeline, the
// express-key handler and the release of whatever a vanished tablet held.
#pragma once

#include "ExpressKeys.h"
#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>

// Names the read thread a report comes from: compared, never followed.
using ReportSource = const void*;

class IReportSink {
public:
    virtual ~IReportSink() = default;

    // A pen, tool or proximity report of exactly the device's pen report length.
    virtual void OnPenReport(ReportSource source, const uint8_t* report, size_t length, const TABLETINFO& header,
                             const MAPPINGDEF& mapping) = 0;
    // An express-key report (byte 0 is 12); state.current already holds it and
    // the caller copies it over state.previous afterwards.
    virtual void OnKeyReport(const uint8_t* report, size_t length, const TABLETINFO& header, const KeyTableRef& keys,
                             ExpressKeyState& state) = 0;
    // The tablet's read thread ends (the tablet went away, or the service
    // stops): what it pressed into the system comes up, and no action runs.
    // keys: its express-key state; header and mapping: the thread's copies;
    // penInRange: its last pen report had the pen in range (not a leave).
    virtual void OnDeviceRemoved(ReportSource source, const TABLETINFO& header, const MAPPINGDEF& mapping,
                                 bool penInRange, ExpressKeyState& keys) = 0;
};
