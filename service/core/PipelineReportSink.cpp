#include "PipelineReportSink.h"

#include <cstring>

void PipelineReportSink::OnPenReport(ReportSource source, const uint8_t* report, size_t length,
                                     const TABLETINFO& header, const MAPPINGDEF& mapping)
{
    if (length > sizeof state_.report)
        return;
    state_.penOwner = source;
    // The decoder works in its own buffer: bytes beyond this report are zero.
    std::memset(state_.report, 0, sizeof state_.report);
    std::memcpy(state_.report, report, length);
    pipeline_.ProcessPenReport(header, mapping);
}

void PipelineReportSink::OnKeyReport(const uint8_t*, size_t, const TABLETINFO& header, const KeyTableRef& keys,
                                     ExpressKeyState& state)
{
    keys_.ProcessKeyReport(header, keys, state);
}

void PipelineReportSink::OnDeviceRemoved(ReportSource source, const TABLETINFO&, const MAPPINGDEF& mapping,
                                         bool penInRange, ExpressKeyState& keys)
{
    keys_.Actions().LetGoOfKeys(keys.held);
    pipeline_.ReadThreadEnded(source, mapping, penInRange);
}
