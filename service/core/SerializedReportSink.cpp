#include "SerializedReportSink.h"

void SerializedReportSink::SetTarget(IReportSink* target)
{
    std::lock_guard<std::mutex> hold(lock_);
    target_ = target;
}

void SerializedReportSink::SetObserver(IReportSink* observer)
{
    std::lock_guard<std::mutex> hold(lock_);
    observer_ = observer;
}

void SerializedReportSink::OnPenReport(ReportSource source, const uint8_t* report, size_t length,
                                       const TABLETINFO& header, const MAPPINGDEF& mapping)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (observer_ != nullptr)
        observer_->OnPenReport(source, report, length, header, mapping);
    if (target_ != nullptr)
        target_->OnPenReport(source, report, length, header, mapping);
}

void SerializedReportSink::OnKeyReport(const uint8_t* report, size_t length, const TABLETINFO& header,
                                       const KeyTableRef& keys, ExpressKeyState& state)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (observer_ != nullptr)
        observer_->OnKeyReport(report, length, header, keys, state);
    if (target_ != nullptr)
        target_->OnKeyReport(report, length, header, keys, state);
}

void SerializedReportSink::OnDeviceRemoved(ReportSource source, const TABLETINFO& header, const MAPPINGDEF& mapping,
                                           bool penInRange, ExpressKeyState& keys)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (observer_ != nullptr)
        observer_->OnDeviceRemoved(source, header, mapping, penInRange, keys);
    if (target_ != nullptr)
        target_->OnDeviceRemoved(source, header, mapping, penInRange, keys);
}
