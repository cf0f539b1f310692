// The pen decoder and the express-key handler keep one process-wide state,
// while every tablet has its own read thread: this sink lets one report at a
// time through, in the order the threads arrive.
#pragma once

#include "IReportSink.h"

#include <mutex>

class SerializedReportSink : public IReportSink {
public:
    // target: the pipeline (may be set later); observer: sees every call first.
    void SetTarget(IReportSink* target);
    void SetObserver(IReportSink* observer);

    void OnPenReport(ReportSource source, const uint8_t* report, size_t length, const TABLETINFO& header,
                     const MAPPINGDEF& mapping) override;
    void OnKeyReport(const uint8_t* report, size_t length, const TABLETINFO& header, const KeyTableRef& keys,
                     ExpressKeyState& state) override;
    void OnDeviceRemoved(ReportSource source, const TABLETINFO& header, const MAPPINGDEF& mapping, bool penInRange,
                         ExpressKeyState& keys) override;

private:
    std::mutex lock_;
    IReportSink* target_ = nullptr;
    IReportSink* observer_ = nullptr;
};
