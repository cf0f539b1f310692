// Hands the read threads' reports to the report pipeline: pen reports into
// the decoder's read buffer and through the pen pipeline, express-key reports
// to the key handler, and a vanished tablet's held buttons to their release.
#pragma once

#include "ExpressKeys.h"
#include "IReportSink.h"
#include "PenPipeline.h"
#include "PenReportState.h"

class PipelineReportSink : public IReportSink {
public:
    PipelineReportSink(PenReportState& state, PenPipeline& pipeline, ExpressKeys& keys)
        : state_(state), pipeline_(pipeline), keys_(keys) {}

    void OnPenReport(ReportSource source, const uint8_t* report, size_t length, const TABLETINFO& header,
                     const MAPPINGDEF& mapping) override;
    void OnKeyReport(const uint8_t* report, size_t length, const TABLETINFO& header, const KeyTableRef& keys,
                     ExpressKeyState& state) override;
    void OnDeviceRemoved(ReportSource source, const TABLETINFO& header, const MAPPINGDEF& mapping, bool penInRange,
                         ExpressKeyState& keys) override;

private:
    PenReportState& state_;
    PenPipeline& pipeline_;
    ExpressKeys& keys_;
};
