// Where a read thread hands the reports of its tablet: the pen pipeline, the
// express-key handler and the release of whatever a vanished tablet held.
#pragma once

#include "ExpressKeys.h"
#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>

class IReportSink {
public:
    virtual ~IReportSink() = default;

    // A pen, tool or proximity report of exactly the device's pen report length.
    virtual void OnPenReport(const uint8_t* report, size_t length, const TABLETINFO& header,
                             const MAPPINGDEF& mapping) = 0;
    // An express-key report (byte 0 is 12); state.current already holds it and
    // the caller copies it over state.previous afterwards.
    virtual void OnKeyReport(const uint8_t* report, size_t length, const TABLETINFO& header, const KeyTableRef& keys,
                             ExpressKeyState& state) = 0;
    // The tablet went away: anything injected on its behalf must be released.
    // header and mapping are the removed thread's copies; penInRange: the
    // tablet's last pen report had its pen in range (not a leave).
    virtual void OnDeviceRemoved(const TABLETINFO& header, const MAPPINGDEF& mapping, bool penInRange) = 0;
};
