// A borderless window over the whole screen, in the foreground, for the tests
// that inject pointer input or take packets: it keeps the messages of
// interest that reach its thread while it pumps.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Hands out the thread's messages, translated, for `ms` milliseconds (0: only
// those queued now), showing each to `seen` first when given.
void PumpThreadMessages(DWORD ms, const std::function<void(const MSG&)>& seen = {});

class ScreenCanvas {
public:
    explicit ScreenCanvas(std::vector<UINT> kept = {});
    ~ScreenCanvas();
    ScreenCanvas(const ScreenCanvas&) = delete;
    ScreenCanvas& operator=(const ScreenCanvas&) = delete;

    HWND Window() const { return window_; }
    void Pump(DWORD ms = 0);
    // Pumps until `message` has been kept or `ms` have passed; whether it was.
    bool PumpUntil(UINT message, DWORD ms);
    int Count(UINT message) const;
    const MSG* First(UINT message) const;

    // The kept messages in the order they came.
    std::vector<MSG> seen;

private:
    std::vector<UINT> kept_;
    HWND window_ = nullptr;
};
