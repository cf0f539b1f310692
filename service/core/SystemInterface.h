// The one narrow door through which the portable core reaches the system.
// The Win32 side implements it with the real calls; tests implement it with a
// recorder. Windows are 32-bit values, as they are stored in the sections.
#pragma once

#include "FileSystem.h"

#include <cstddef>
#include <cstdint>

class ISystem : public IProgramFilesFolder {
public:
    virtual ~ISystem() = default;

    // Window messages (always posted; a failed post is ignored).
    virtual void PostWindowMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam) = 0;
    virtual uint32_t FindWindowByTitle(const char* title) = 0;
    // Copies at most size - 1 characters and always terminates; returns the length.
    virtual size_t GetWindowTitle(uint32_t window, char* buffer, size_t size) = 0;
    virtual size_t GetWindowClass(uint32_t window, char* buffer, size_t size) = 0;
    // False once the window is destroyed (or was never one this process can see).
    virtual bool WindowExists(uint32_t window) = 0;
    // The active window of the foreground window's thread (input attached for the look-up).
    virtual uint32_t GetForegroundActiveWindow() = 0;
    // Image file name of the foreground window's process; false when it cannot be had.
    virtual bool GetForegroundProcessImageName(char* buffer, size_t size) = 0;

    virtual int32_t MonitorCount() = 0;        // SM_CMONITORS
    virtual bool MouseButtonsSwapped() = 0;    // SM_SWAPBUTTON

    // The pointer routine bound at start (mouse_eventEx of "INKBRID.dll", else mouse_event).
    virtual void PointerRoutine(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra) = 0;
    // The system's mouse_event, called directly.
    virtual void MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra) = 0;
    // keybd_event(vk, 0, flags, 0).
    virtual void KeyEvent(uint8_t virtualKey, uint32_t flags) = 0;

    virtual uint32_t TickCount() = 0;
    virtual int64_t PerformanceCounter() = 0;
    virtual int64_t PerformanceFrequency() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    virtual void Beep(uint32_t frequency, uint32_t milliseconds) = 0;
    virtual void DebugOutput(const char* text) = 0;

    // Opens the file as the shell's "open" does (a program starts, a document
    // opens with its associated program), with parameters and SW_SHOW, for
    // the user the host launches for. May return before the start is over;
    // failures ignored.
    virtual void ShellOpen(const char* file, const char* parameters) = 0;
    // The library form's virtual HID output device (none in the other builds).
    virtual bool HasVirtualOutputDevice() = 0;
    virtual void WriteVirtualOutput(const uint8_t* report, size_t length) = 0;
};

// The ring lock (an auto-reset event "signalled when free").
class IRingLock {
public:
    virtual ~IRingLock() = default;
    virtual bool Acquire() = 0;   // false when the wait failed
    virtual void Release() = 0;
};
