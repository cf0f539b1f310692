// The hidden window of a debug run: it takes the device arrivals and the end
// of the session, which a running service gets as service controls.
#pragma once

#include <windows.h>

#include <functional>

class FacelessWindow {
public:
    // onSessionEnd: the session ends (or the window is told to quit); the
    // window is gone by then.
    FacelessWindow(std::function<void()> onDeviceArrival, std::function<void()> onSessionEnd);
    ~FacelessWindow() { Destroy(); }
    FacelessWindow(const FacelessWindow&) = delete;
    FacelessWindow& operator=(const FacelessWindow&) = delete;

    // A top-level window, or without a desktop a message-only one; null when neither can be made.
    HWND Create();
    void Destroy();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> onDeviceArrival_;
    std::function<void()> onSessionEnd_;
    HWND window_ = nullptr;
};
