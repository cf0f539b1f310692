// The system door of the fuzz targets: answers scripted by the input, every
// injected event checked as it happens (positions on the desktop, virtual pen
// reports whole) and followed, so a target can ask what is still held.
#pragma once

#include "HeldInputs.h"
#include "SystemInterface.h"

#include <cstdint>

class FuzzSystem : public ISystem {
public:
    HeldInputs held;
    // INKBRID_FUZZ_TRACE set: every injected event is printed, to read a finding.
    const bool trace;

    FuzzSystem();

    // Scripted answers.
    uint32_t calibrationWindow = 0;
    uint32_t overlayWindow = 0;
    bool painterTitles = false;      // odd windows are titled as Corel Painter
    bool photoshopInFront = false;
    bool paintInFront = false;
    int32_t monitors = 1;
    bool swapped = false;
    bool virtualDevice = false;
    bool programFiles = true;
    uint32_t tick = 1000;
    uint32_t tickStep = 5;
    int64_t counter = 0;
    int64_t counterStep = 5000;
    int64_t frequency = 1000000;

    void PostWindowMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam) override;
    uint32_t FindWindowByTitle(const char* title) override;
    size_t GetWindowTitle(uint32_t window, char* buffer, size_t size) override;
    size_t GetWindowClass(uint32_t window, char* buffer, size_t size) override;
    bool WindowExists(uint32_t) override { return true; }
    uint32_t GetForegroundActiveWindow() override { return 0x500; }
    bool GetForegroundProcessImageName(char* buffer, size_t size) override;
    int32_t MonitorCount() override { return monitors; }
    bool MouseButtonsSwapped() override { return swapped; }
    void PointerRoutine(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra) override;
    void MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra) override;
    void KeyEvent(uint8_t virtualKey, uint32_t flags) override;
    uint32_t TickCount() override { return tick += tickStep; }
    int64_t PerformanceCounter() override;
    int64_t PerformanceFrequency() override { return frequency; }
    void Sleep(uint32_t) override {}
    // A line of the trace.
    void Trace(const char* format, ...) const __attribute__((format(printf, 2, 3)));
    void Beep(uint32_t, uint32_t) override {}
    void DebugOutput(const char* text) override;
    void ShellOpen(const char* file, const char* parameters) override;
    bool ProgramFilesFolder(char* buffer, size_t size) override;
    bool HasVirtualOutputDevice() override { return virtualDevice; }
    void WriteVirtualOutput(const uint8_t* report, size_t length) override;

    // The folder ProgramFilesFolder gives.
    static constexpr const char* PROGRAM_FILES = "C:\\Program Files";

private:
    void CheckPosition();
};
