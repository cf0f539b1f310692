// A recorder of the system door: every call the core makes is kept in order,
// and the answers it needs (windows, titles, clock, metrics) are scripted.
#pragma once

#include "SystemInterface.h"

#include <doctest/doctest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

struct SystemCall {
    enum Kind { Post, Pointer, Mouse, Key, Sleep, ShellOpen, Beep, Debug, VirtualOutput };

    Kind kind;
    // Post: window, message, wParam, lParam. Pointer/Mouse: flags, dx, dy, data.
    // Key: vk, flags. Sleep/Beep: milliseconds (Beep: frequency, ms).
    int64_t a = 0, b = 0, c = 0, d = 0;
    std::string text;  // ShellOpen file + " " + parameters, Debug text, VirtualOutput hex

    bool operator==(const SystemCall& other) const
    {
        return kind == other.kind && a == other.a && b == other.b && c == other.c && d == other.d &&
               text == other.text;
    }
    std::string ToString() const;

    static SystemCall PostOf(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam);
    static SystemCall PointerOf(uint32_t flags, int32_t x = 0, int32_t y = 0, int32_t data = 0);
    static SystemCall MouseOf(uint32_t flags, int32_t data = 0);
    static SystemCall KeyOf(uint8_t vk, uint32_t flags);
    static SystemCall SleepOf(uint32_t ms);
    static SystemCall ShellOpenOf(const std::string& file, const std::string& parameters);
};

std::string ToString(const std::vector<SystemCall>& calls);

class RecordingSystem : public ISystem {
public:
    std::vector<SystemCall> calls;

    // Scripted answers.
    std::map<std::string, uint32_t> windowsByTitle;
    std::map<uint32_t, std::string> titles;
    std::map<uint32_t, std::string> classes;
    std::set<uint32_t> closedWindows;  // every other window exists
    uint32_t foregroundActive = 0;
    std::string foregroundImage;
    bool foregroundImageKnown = true;
    int32_t monitors = 1;
    bool swapped = false;
    uint32_t tick = 1000;
    int64_t counter = 0;
    int64_t frequency = 1000;
    int64_t counterStepPerRead = 0;  // added to the counter on every read
    std::string programFiles = "C:\\Program Files";
    bool virtualDevice = false;
    bool recordSleeps = true;
    bool recordDebug = false;
    // Runs after each post is recorded: a test acts there as another thread
    // would at that moment.
    std::function<void(const SystemCall&)> afterPost;

    void Clear() { calls.clear(); }
    std::vector<SystemCall> Of(SystemCall::Kind kind) const;
    // Calls other than sleeps and debug lines, for tests that assert event order only.
    std::vector<SystemCall> Events() const;

    void PostWindowMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam) override;
    uint32_t FindWindowByTitle(const char* title) override;
    size_t GetWindowTitle(uint32_t window, char* buffer, size_t size) override;
    size_t GetWindowClass(uint32_t window, char* buffer, size_t size) override;
    bool WindowExists(uint32_t window) override { return closedWindows.count(window) == 0; }
    uint32_t GetForegroundActiveWindow() override { return foregroundActive; }
    bool GetForegroundProcessImageName(char* buffer, size_t size) override;
    int32_t MonitorCount() override { return monitors; }
    bool MouseButtonsSwapped() override { return swapped; }
    void PointerRoutine(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra) override;
    void MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra) override;
    void KeyEvent(uint8_t virtualKey, uint32_t flags) override;
    uint32_t TickCount() override { return tick; }
    int64_t PerformanceCounter() override;
    int64_t PerformanceFrequency() override { return frequency; }
    void Sleep(uint32_t milliseconds) override;
    void Beep(uint32_t frequency, uint32_t milliseconds) override;
    void DebugOutput(const char* text) override;
    void ShellOpen(const char* file, const char* parameters) override;
    bool ProgramFilesFolder(char* buffer, size_t size) override;
    bool HasVirtualOutputDevice() override { return virtualDevice; }
    void WriteVirtualOutput(const uint8_t* report, size_t length) override;
};

namespace doctest {
template <> struct StringMaker<SystemCall> {
    static String convert(const SystemCall& call) { return call.ToString().c_str(); }
};
template <> struct StringMaker<std::vector<SystemCall>> {
    static String convert(const std::vector<SystemCall>& calls) { return ToString(calls).c_str(); }
};
}  // namespace doctest
