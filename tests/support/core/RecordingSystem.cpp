#include "RecordingSystem.h"

#include <doctest/doctest.h>

#include <cstdio>
#include <cstring>

namespace {

size_t CopyText(const std::string& text, char* buffer, size_t size)
{
    if (buffer == nullptr || size == 0)
        return 0;
    size_t length = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return length;
}

const char* KindName(SystemCall::Kind kind)
{
    switch (kind) {
    case SystemCall::Post: return "Post";
    case SystemCall::Pointer: return "Pointer";
    case SystemCall::Mouse: return "Mouse";
    case SystemCall::Key: return "Key";
    case SystemCall::Sleep: return "Sleep";
    case SystemCall::ShellOpen: return "ShellOpen";
    case SystemCall::Beep: return "Beep";
    case SystemCall::Debug: return "Debug";
    case SystemCall::VirtualOutput: return "VirtualOutput";
    }
    return "?";
}

}  // namespace

std::string SystemCall::ToString() const
{
    char line[160];
    std::snprintf(line, sizeof line, "%s(0x%llx, 0x%llx, %lld, %lld)", KindName(kind),
                  static_cast<unsigned long long>(a), static_cast<unsigned long long>(b), static_cast<long long>(c),
                  static_cast<long long>(d));
    return text.empty() ? std::string(line) : std::string(line) + " \"" + text + "\"";
}

std::string ToString(const std::vector<SystemCall>& calls)
{
    std::string out = "[";
    for (const SystemCall& call : calls)
        out += "\n  " + call.ToString();
    return out + "\n]";
}

SystemCall SystemCall::PostOf(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam)
{
    return {Post, window, message, wParam, lParam, {}};
}
SystemCall SystemCall::PointerOf(uint32_t flags, int32_t x, int32_t y, int32_t data)
{
    return {Pointer, flags, x, y, data, {}};
}
SystemCall SystemCall::MouseOf(uint32_t flags, int32_t data) { return {Mouse, flags, 0, 0, data, {}}; }
SystemCall SystemCall::KeyOf(uint8_t vk, uint32_t flags) { return {Key, vk, flags, 0, 0, {}}; }
SystemCall SystemCall::SleepOf(uint32_t ms) { return {Sleep, ms, 0, 0, 0, {}}; }
SystemCall SystemCall::ShellOpenOf(const std::string& file, const std::string& parameters)
{
    return {ShellOpen, 0, 0, 0, 0, file + " " + parameters};
}

std::vector<SystemCall> RecordingSystem::Of(SystemCall::Kind kind) const
{
    std::vector<SystemCall> out;
    for (const SystemCall& call : calls)
        if (call.kind == kind)
            out.push_back(call);
    return out;
}

std::vector<SystemCall> RecordingSystem::Events() const
{
    std::vector<SystemCall> out;
    for (const SystemCall& call : calls)
        if (call.kind != SystemCall::Sleep && call.kind != SystemCall::Debug)
            out.push_back(call);
    return out;
}

void RecordingSystem::PostWindowMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam)
{
    calls.push_back(SystemCall::PostOf(window, message, wParam, lParam));
    if (afterPost)
        afterPost(calls.back());
}

uint32_t RecordingSystem::FindWindowByTitle(const char* title)
{
    auto found = windowsByTitle.find(title ? title : "");
    return found == windowsByTitle.end() ? 0 : found->second;
}

size_t RecordingSystem::GetWindowTitle(uint32_t window, char* buffer, size_t size)
{
    auto found = titles.find(window);
    return CopyText(found == titles.end() ? std::string() : found->second, buffer, size);
}

size_t RecordingSystem::GetWindowClass(uint32_t window, char* buffer, size_t size)
{
    auto found = classes.find(window);
    return CopyText(found == classes.end() ? std::string() : found->second, buffer, size);
}

bool RecordingSystem::GetForegroundProcessImageName(char* buffer, size_t size)
{
    if (!foregroundImageKnown)
        return false;
    CopyText(foregroundImage, buffer, size);
    return true;
}

void RecordingSystem::PointerRoutine(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t)
{
    calls.push_back(SystemCall::PointerOf(flags, dx, dy, data));
}

void RecordingSystem::MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t)
{
    calls.push_back({SystemCall::Mouse, flags, dx, dy, data, {}});
}

void RecordingSystem::KeyEvent(uint8_t virtualKey, uint32_t flags)
{
    calls.push_back(SystemCall::KeyOf(virtualKey, flags));
}

int64_t RecordingSystem::PerformanceCounter()
{
    counter += counterStepPerRead;
    return counter;
}

void RecordingSystem::Sleep(uint32_t milliseconds)
{
    if (recordSleeps)
        calls.push_back(SystemCall::SleepOf(milliseconds));
}

void RecordingSystem::Beep(uint32_t frequencyHz, uint32_t milliseconds)
{
    calls.push_back({SystemCall::Beep, frequencyHz, milliseconds, 0, 0, {}});
}

void RecordingSystem::DebugOutput(const char* text)
{
    if (recordDebug)
        calls.push_back({SystemCall::Debug, 0, 0, 0, 0, text ? text : ""});
}

void RecordingSystem::ShellOpen(const char* file, const char* parameters)
{
    calls.push_back(SystemCall::ShellOpenOf(file ? file : "", parameters ? parameters : ""));
}

bool RecordingSystem::ProgramFilesFolder(char* buffer, size_t size)
{
    return CopyText(programFiles, buffer, size) == programFiles.size();
}

void RecordingSystem::WriteVirtualOutput(const uint8_t* report, size_t length)
{
    std::string hex;
    char byte[4];
    for (size_t i = 0; i < length; ++i) {
        std::snprintf(byte, sizeof byte, "%02X", report[i]);
        hex += byte;
    }
    calls.push_back({SystemCall::VirtualOutput, static_cast<int64_t>(length), 0, 0, 0, hex});
}
