// Collects what other processes write with OutputDebugStringA while no
// debugger is attached: the system hands each line over through the
// "DBWIN_BUFFER" section and its two events.
#pragma once

#include "CriticalSection.h"

#include <windows.h>

#include <string>
#include <vector>

class DebugStringCapture {
public:
    DebugStringCapture();
    ~DebugStringCapture();
    DebugStringCapture(const DebugStringCapture&) = delete;
    DebugStringCapture& operator=(const DebugStringCapture&) = delete;

    bool IsListening() const { return thread_ != nullptr; }
    // The lines of one process, in the order written.
    std::vector<std::string> Lines(DWORD processId) const;
    int Count(DWORD processId, const std::string& line) const;
    // Waits until `line` was written `times` times by the process.
    bool WaitFor(DWORD processId, const std::string& line, int times, DWORD timeoutMs) const;

private:
    struct Line {
        DWORD processId;
        std::string text;
    };
    static DWORD WINAPI Listen(LPVOID self);
    void ListenLoop();

    HANDLE bufferReady_ = nullptr;
    HANDLE dataReady_ = nullptr;
    HANDLE buffer_ = nullptr;
    const char* view_ = nullptr;
    HANDLE quit_ = nullptr;
    HANDLE thread_ = nullptr;
    mutable CriticalSection linesLock_;
    std::vector<Line> lines_;
};
