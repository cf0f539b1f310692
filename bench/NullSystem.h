// A system door that does nothing, so the benchmark times the core alone.
// The clocks move forward on every read, as real ones do.
#pragma once

#include "SystemInterface.h"

class NullSystem : public ISystem {
public:
    void PostWindowMessage(uint32_t, uint32_t, uint32_t, uint32_t) override {}
    uint32_t FindWindowByTitle(const char*) override { return 0; }
    size_t GetWindowTitle(uint32_t, char* buffer, size_t size) override;
    size_t GetWindowClass(uint32_t, char* buffer, size_t size) override;
    bool WindowExists(uint32_t) override { return true; }
    uint32_t GetForegroundActiveWindow() override { return 0; }
    bool GetForegroundProcessImageName(char*, size_t) override { return false; }
    int32_t MonitorCount() override { return 1; }
    bool MouseButtonsSwapped() override { return false; }
    void PointerRoutine(uint32_t, int32_t, int32_t, int32_t, uint32_t) override {}
    void MouseEvent(uint32_t, int32_t, int32_t, int32_t, uint32_t) override {}
    void KeyEvent(uint8_t, uint32_t) override {}
    uint32_t TickCount() override { return tick_ += 5; }
    int64_t PerformanceCounter() override { return counter_ += 5000; }
    int64_t PerformanceFrequency() override { return 1000000; }
    void Sleep(uint32_t) override {}
    void Beep(uint32_t, uint32_t) override {}
    void DebugOutput(const char*) override {}
    void ShellOpen(const char*, const char*) override {}
    bool ProgramFilesFolder(char*, size_t) override { return false; }
    bool HasVirtualOutputDevice() override { return false; }
    void WriteVirtualOutput(const uint8_t*, size_t) override {}

private:
    uint32_t tick_ = 0;
    int64_t counter_ = 0;
};
