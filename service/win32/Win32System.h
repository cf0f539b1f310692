// The system door of the core, implemented with the real Win32 calls.
#pragma once

#include "ConsoleUserLauncher.h"
#include "ProgramLauncher.h"
#include "SystemInterface.h"
#include "VirtualOutputWriter.h"

#include <windows.h>

#include <atomic>

class Win32System : public ISystem {
public:
    // lookForInjectionLibrary: the service program binds mouse_eventEx of
    // "INKBRID.dll" when present; the library form uses mouse_event only.
    // userTokens: where a launch for the console's user takes that user's token.
    explicit Win32System(bool lookForInjectionLibrary,
                         ConsoleUserLauncher::TokenSource userTokens = ConsoleUserToken);
    ~Win32System() override;
    Win32System(const Win32System&) = delete;
    Win32System& operator=(const Win32System&) = delete;

    void PostWindowMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam) override;
    uint32_t FindWindowByTitle(const char* title) override;
    size_t GetWindowTitle(uint32_t window, char* buffer, size_t size) override;
    size_t GetWindowClass(uint32_t window, char* buffer, size_t size) override;
    bool WindowExists(uint32_t window) override;
    uint32_t GetForegroundActiveWindow() override;
    bool GetForegroundProcessImageName(char* buffer, size_t size) override;
    int32_t MonitorCount() override;
    bool MouseButtonsSwapped() override;
    void PointerRoutine(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra) override;
    void MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra) override;
    void KeyEvent(uint8_t virtualKey, uint32_t flags) override;
    uint32_t TickCount() override;
    int64_t PerformanceCounter() override;
    int64_t PerformanceFrequency() override;
    void Sleep(uint32_t milliseconds) override;
    void Beep(uint32_t frequency, uint32_t milliseconds) override;
    void DebugOutput(const char* text) override;
    // Queues the launch and returns; it starts under the launch account.
    void ShellOpen(const char* file, const char* parameters) override;
    bool ProgramFilesFolder(char* buffer, size_t size) override;
    bool HasVirtualOutputDevice() override;
    void WriteVirtualOutput(const uint8_t* report, size_t length) override;

    // The library form's virtual HID output device, owned by the caller, or
    // none. Returns once every write to the previous device is over or, its
    // cancel not ending it in time, keeps its buffer: the caller may then close it.
    void SetVirtualOutputDevice(HANDLE device) { virtualOutput_.Attach(device); }
    VirtualOutputWriter& VirtualOutput() { return virtualOutput_; }

    // Whose account later launches run under; the process's own until set.
    void SetLaunchAccount(LaunchAccount account) { launchAccount_ = account; }
    // Drops the launches not yet begun and waits up to waitMs for the one
    // under way; false when it still runs.
    bool StopLaunches(DWORD waitMs) { return launcher_.Stop(waitMs); }

private:
    using MouseEventExProc = void(WINAPI*)(DWORD, DWORD, DWORD, DWORD, ULONG_PTR, BYTE);

    HMODULE injectionLibrary_ = nullptr;
    MouseEventExProc mouseEventEx_ = nullptr;
    VirtualOutputWriter virtualOutput_;
    std::atomic<LaunchAccount> launchAccount_{LaunchAccount::OwnProcess};
    ProgramLauncher launcher_;
};
