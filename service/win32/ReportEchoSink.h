// Test seam: tells a test what reached the report sink, one pipe message per
// call, so device tests can see the copies a read thread works with. Only
// in the test build, made when the scripted HID interfaces name an echo pipe.
#pragma once

#include "IReportSink.h"
#include "ScopedHandle.h"

#include <cstdint>
#include <string>

constexpr int ECHO_MAX_KEYS = 32;

enum class EchoKind : uint32_t { Pen = 1, Key = 2, Removed = 3 };

#pragma pack(push, 1)
struct ReportEcho {
    uint32_t kind;
    uint16_t vid;
    uint16_t pid;
    uint32_t length;
    uint8_t report[64];
    MAPPINGDEF mapping;                   // pen reports and removals: the thread's mapping copy
    int32_t keyCount;                     // key reports: the key table's count
    int32_t keyActions[ECHO_MAX_KEYS];    // and its action codes
    uint8_t keyData[ECHO_MAX_KEYS];       // and the first data byte of each key
};
#pragma pack(pop)

class ReportEchoSink : public IReportSink {
public:
    explicit ReportEchoSink(std::string pipe) : pipeName_(std::move(pipe)) {}

    void OnPenReport(ReportSource source, const uint8_t* report, size_t length, const TABLETINFO& header,
                     const MAPPINGDEF& mapping) override;
    void OnKeyReport(const uint8_t* report, size_t length, const TABLETINFO& header, const KeyTableRef& keys,
                     ExpressKeyState& state) override;
    void OnDeviceRemoved(ReportSource source, const TABLETINFO& header, const MAPPINGDEF& mapping, bool penInRange,
                         ExpressKeyState& keys) override;

private:
    static ReportEcho Describe(EchoKind kind, const uint8_t* report, size_t length, const TABLETINFO* header);
    void Send(const ReportEcho& echo);

    std::string pipeName_;
    ScopedHandle pipe_;
};
