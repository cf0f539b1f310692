#include "FuzzSystem.h"

#include "FuzzCheck.h"
#include "ServiceCodes.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

size_t CopyText(const char* text, char* buffer, size_t size)
{
    if (buffer == nullptr || size == 0)
        return 0;
    const size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return length;
}

// Text handed to the system must be terminated within what it may read.
void RequireTerminated(const char* text, size_t limit, const char* what)
{
    FuzzRequire(text != nullptr && std::memchr(text, '\0', limit) != nullptr, what);
}

}  // namespace

FuzzSystem::FuzzSystem() : trace(std::getenv("INKBRID_FUZZ_TRACE") != nullptr) {}

void FuzzSystem::Trace(const char* format, ...) const
{
    if (!trace)
        return;
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
    std::fputc('\n', stderr);
}

void FuzzSystem::PostWindowMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam)
{
    Trace("  post 0x%x 0x%x 0x%x 0x%x", window, message, wParam, lParam);
}

void FuzzSystem::KeyEvent(uint8_t virtualKey, uint32_t flags)
{
    Trace("  key %u flags %u", virtualKey, flags);
    held.OnKey(virtualKey, flags);
}

uint32_t FuzzSystem::FindWindowByTitle(const char* title)
{
    RequireTerminated(title, 1024, "window title looked up is terminated");
    if (std::strcmp(title, CALIBRATION_WINDOW_TITLE) == 0)
        return calibrationWindow;
    if (std::strcmp(title, KEY_OVERLAY_WINDOW_TITLE) == 0)
        return overlayWindow;
    return 0;
}

size_t FuzzSystem::GetWindowTitle(uint32_t window, char* buffer, size_t size)
{
    return CopyText(painterTitles && (window & 1) ? "Corel Painter 12 - canvas" : "Canvas", buffer, size);
}

size_t FuzzSystem::GetWindowClass(uint32_t, char* buffer, size_t size)
{
    return CopyText(photoshopInFront ? PHOTOSHOP_CLASS : "Notepad", buffer, size);
}

bool FuzzSystem::GetForegroundProcessImageName(char* buffer, size_t size)
{
    CopyText(paintInFront ? "C:\\Windows\\system32\\mspaint.exe" : "C:\\Windows\\notepad.exe", buffer, size);
    return true;
}

void FuzzSystem::PointerRoutine(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t)
{
    Trace("  pointer 0x%x %d %d %d", flags, dx, dy, data);
    held.OnPointer(flags, dx, dy);
    CheckPosition();
}

void FuzzSystem::MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t)
{
    Trace("  mouse_event 0x%x %d %d %d", flags, dx, dy, data);
    held.OnPointer(flags, dx, dy);
    CheckPosition();
}

void FuzzSystem::CheckPosition()
{
    if (held.OffDesktopCount() == 0)
        return;
    char detail[64];
    std::snprintf(detail, sizeof detail, "%lld, %lld", static_cast<long long>(held.FirstOffX()),
                  static_cast<long long>(held.FirstOffY()));
    FuzzRequire(false, "absolute positions lie in 0..0xFFFF", detail);
}

int64_t FuzzSystem::PerformanceCounter()
{
    // Wraps like the hardware counter would, without overflowing here.
    counter = static_cast<int64_t>(static_cast<uint64_t>(counter) + static_cast<uint64_t>(counterStep));
    return counter;
}

void FuzzSystem::DebugOutput(const char* text)
{
    RequireTerminated(text, 4096, "debug text is terminated");
}

void FuzzSystem::ShellOpen(const char* file, const char* parameters)
{
    RequireTerminated(file, 4096, "program to open is terminated");
    RequireTerminated(parameters, 4096, "its parameters are terminated");
}

bool FuzzSystem::ProgramFilesFolder(char* buffer, size_t size)
{
    if (!programFiles)
        return false;
    return CopyText(PROGRAM_FILES, buffer, size) == std::strlen(PROGRAM_FILES);
}

void FuzzSystem::WriteVirtualOutput(const uint8_t* report, size_t length)
{
    Trace("  virtual pen status 0x%x pressure %u", length > 2 ? report[2] : 0,
          length > 8 ? static_cast<unsigned>(report[7] | report[8] << 8) : 0);
    held.OnVirtualPenReport(report, length);
    FuzzRequire(held.BadVirtualReports() == 0, "virtual pen reports are 19 bytes");
}
