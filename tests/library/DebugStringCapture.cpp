#include "DebugStringCapture.h"

#include "ChildProcess.h"

#include <cstring>

namespace {

constexpr DWORD BUFFER_SIZE = 4096;

}  // namespace

DebugStringCapture::DebugStringCapture()
{
    bufferReady_ = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY");
    dataReady_ = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
    buffer_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, BUFFER_SIZE, "DBWIN_BUFFER");
    quit_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (bufferReady_ == nullptr || dataReady_ == nullptr || buffer_ == nullptr || quit_ == nullptr)
        return;
    view_ = static_cast<const char*>(MapViewOfFile(buffer_, FILE_MAP_READ, 0, 0, BUFFER_SIZE));
    if (view_ == nullptr)
        return;
    thread_ = CreateThread(nullptr, 0, Listen, this, 0, nullptr);
}

DebugStringCapture::~DebugStringCapture()
{
    if (thread_ != nullptr) {
        SetEvent(quit_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    if (view_ != nullptr)
        UnmapViewOfFile(view_);
    for (HANDLE handle : {bufferReady_, dataReady_, buffer_, quit_})
        if (handle != nullptr)
            CloseHandle(handle);
}

DWORD WINAPI DebugStringCapture::Listen(LPVOID self)
{
    static_cast<DebugStringCapture*>(self)->ListenLoop();
    return 0;
}

void DebugStringCapture::ListenLoop()
{
    const HANDLE waits[2] = {quit_, dataReady_};
    SetEvent(bufferReady_);
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        DWORD processId = 0;
        std::memcpy(&processId, view_, sizeof processId);
        const char* text = view_ + sizeof processId;
        const std::string line(text, strnlen(text, BUFFER_SIZE - sizeof processId));
        {
            CriticalSection::Hold hold(linesLock_);
            lines_.push_back(Line{processId, line});
        }
        SetEvent(bufferReady_);
    }
}

std::vector<std::string> DebugStringCapture::Lines(DWORD processId) const
{
    CriticalSection::Hold hold(linesLock_);
    std::vector<std::string> lines;
    for (const Line& line : lines_)
        if (line.processId == processId)
            lines.push_back(line.text);
    return lines;
}

int DebugStringCapture::Count(DWORD processId, const std::string& text) const
{
    int count = 0;
    for (const std::string& line : Lines(processId))
        count += line == text ? 1 : 0;
    return count;
}

bool DebugStringCapture::WaitFor(DWORD processId, const std::string& line, int times, DWORD timeoutMs) const
{
    return WaitUntil([&] { return Count(processId, line) >= times; }, timeoutMs);
}
