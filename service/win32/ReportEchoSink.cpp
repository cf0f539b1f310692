#include "ReportEchoSink.h"

#include <algorithm>
#include <cstring>

ReportEcho ReportEchoSink::Describe(EchoKind kind, const uint8_t* report, size_t length, const TABLETINFO* header)
{
    ReportEcho echo{};
    echo.kind = static_cast<uint32_t>(kind);
    if (header != nullptr) {
        echo.vid = header->VID;
        echo.pid = header->PID;
    }
    echo.length = static_cast<uint32_t>(length);
    if (report != nullptr)
        std::memcpy(echo.report, report, std::min(length, sizeof echo.report));
    return echo;
}

void ReportEchoSink::OnPenReport(ReportSource, const uint8_t* report, size_t length, const TABLETINFO& header,
                                 const MAPPINGDEF& mapping)
{
    ReportEcho echo = Describe(EchoKind::Pen, report, length, &header);
    echo.mapping = mapping;
    Send(echo);
}

void ReportEchoSink::OnKeyReport(const uint8_t* report, size_t length, const TABLETINFO& header,
                                 const KeyTableRef& keys, ExpressKeyState&)
{
    ReportEcho echo = Describe(EchoKind::Key, report, length, &header);
    echo.keyCount = keys.count;
    for (int index = 0; index < std::min(keys.count, ECHO_MAX_KEYS); ++index) {
        echo.keyActions[index] = keys.keys[index].actionCode;
        echo.keyData[index] = static_cast<uint8_t>(keys.keys[index].data[0]);
    }
    Send(echo);
}

void ReportEchoSink::OnDeviceRemoved(ReportSource, const TABLETINFO& header, const MAPPINGDEF& mapping, bool,
                                     ExpressKeyState&)
{
    ReportEcho echo = Describe(EchoKind::Removed, nullptr, 0, &header);
    echo.mapping = mapping;
    Send(echo);
}

void ReportEchoSink::Send(const ReportEcho& echo)
{
    if (!pipe_)
        pipe_.Reset(CreateFileA(pipeName_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD written = 0;
    if (pipe_ && !WriteFile(pipe_.Get(), &echo, sizeof echo, &written, nullptr))
        pipe_.Reset();
}
