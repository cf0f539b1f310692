#include "Win32System.h"

#include "ProgramFiles.h"

#include <psapi.h>
#include <shellapi.h>

#include <cstring>

namespace {

HWND AsWindow(uint32_t window) { return static_cast<HWND>(ULongToHandle(window)); }
uint32_t FromWindow(HWND window) { return HandleToULong(window); }

size_t Terminated(char* buffer, size_t size, int length)
{
    if (size == 0)
        return 0;
    size_t used = length > 0 ? static_cast<size_t>(length) : 0;
    if (used >= size)
        used = size - 1;
    buffer[used] = '\0';
    return used;
}

// On the launcher's thread; a launch that fails is ignored.
void StartLaunch(const LaunchRequest& request, const ConsoleUserLauncher& asUser)
{
    if (request.account == LaunchAccount::ConsoleUser)
        asUser.Start(request.file, request.parameters);
    else
        ShellExecuteA(nullptr, "open", request.file.c_str(), request.parameters.c_str(), nullptr, SW_SHOW);
}

// Only the copy in the program's own folder, by its full path: a library of
// that name found along the search path (the current folder among it) must
// never run inside the service.
HMODULE LoadBesideProgram(const char* fileName)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* folderEnd = length > 0 && length < MAX_PATH ? std::strrchr(path, '\\') : nullptr;
    if (folderEnd == nullptr || (folderEnd + 1 - path) + std::strlen(fileName) >= MAX_PATH)
        return nullptr;
    std::strcpy(folderEnd + 1, fileName);
    return LoadLibraryA(path);
}

}  // namespace

Win32System::Win32System(bool lookForInjectionLibrary, ConsoleUserLauncher::TokenSource userTokens)
    : launcher_([asUser = ConsoleUserLauncher(std::move(userTokens))](const LaunchRequest& request) {
          StartLaunch(request, asUser);
      })
{
    if (!lookForInjectionLibrary)
        return;
    injectionLibrary_ = LoadBesideProgram("INKBRID.dll");
    if (injectionLibrary_ != nullptr) {
        mouseEventEx_ = reinterpret_cast<MouseEventExProc>(
            reinterpret_cast<void*>(GetProcAddress(injectionLibrary_, "mouse_eventEx")));
    }
}

Win32System::~Win32System()
{
    if (injectionLibrary_ != nullptr)
        FreeLibrary(injectionLibrary_);
}

void Win32System::PostWindowMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam)
{
    ::PostMessageA(AsWindow(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

uint32_t Win32System::FindWindowByTitle(const char* title) { return FromWindow(::FindWindowA(nullptr, title)); }

size_t Win32System::GetWindowTitle(uint32_t window, char* buffer, size_t size)
{
    if (buffer == nullptr || size == 0)
        return 0;
    return Terminated(buffer, size, ::GetWindowTextA(AsWindow(window), buffer, static_cast<int>(size)));
}

size_t Win32System::GetWindowClass(uint32_t window, char* buffer, size_t size)
{
    if (buffer == nullptr || size == 0)
        return 0;
    return Terminated(buffer, size, ::GetClassNameA(AsWindow(window), buffer, static_cast<int>(size)));
}

bool Win32System::WindowExists(uint32_t window) { return ::IsWindow(AsWindow(window)) != FALSE; }

uint32_t Win32System::GetForegroundActiveWindow()
{
    // GetActiveWindow answers for the calling thread's input state only, so
    // the thread borrows the foreground thread's input for the look-up.
    DWORD self = GetCurrentThreadId();
    DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    AttachThreadInput(self, foreground, TRUE);
    HWND active = GetActiveWindow();
    AttachThreadInput(self, GetWindowThreadProcessId(GetForegroundWindow(), nullptr), FALSE);
    return FromWindow(active);
}

bool Win32System::GetForegroundProcessImageName(char* buffer, size_t size)
{
    if (buffer == nullptr || size == 0)
        return false;
    buffer[0] = '\0';
    DWORD processId = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process == nullptr)
        return false;
    DWORD length = GetProcessImageFileNameA(process, buffer, static_cast<DWORD>(size));
    CloseHandle(process);
    Terminated(buffer, size, static_cast<int>(length));
    return length > 0;
}

int32_t Win32System::MonitorCount() { return GetSystemMetrics(SM_CMONITORS); }

bool Win32System::MouseButtonsSwapped() { return GetSystemMetrics(SM_SWAPBUTTON) != 0; }

void Win32System::PointerRoutine(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra)
{
    if (mouseEventEx_ != nullptr)
        mouseEventEx_(flags, static_cast<DWORD>(dx), static_cast<DWORD>(dy), static_cast<DWORD>(data), extra, 0);
    else
        ::mouse_event(flags, static_cast<DWORD>(dx), static_cast<DWORD>(dy), static_cast<DWORD>(data), extra);
}

void Win32System::MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra)
{
    ::mouse_event(flags, static_cast<DWORD>(dx), static_cast<DWORD>(dy), static_cast<DWORD>(data), extra);
}

void Win32System::KeyEvent(uint8_t virtualKey, uint32_t flags) { ::keybd_event(virtualKey, 0, flags, 0); }

uint32_t Win32System::TickCount() { return ::GetTickCount(); }

int64_t Win32System::PerformanceCounter()
{
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return value.QuadPart;
}

int64_t Win32System::PerformanceFrequency()
{
    LARGE_INTEGER value;
    if (!QueryPerformanceFrequency(&value))
        return 0;
    return value.QuadPart;
}

void Win32System::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

void Win32System::Beep(uint32_t frequency, uint32_t milliseconds) { ::Beep(frequency, milliseconds); }

void Win32System::DebugOutput(const char* text) { OutputDebugStringA(text); }

void Win32System::ShellOpen(const char* file, const char* parameters)
{
    launcher_.Launch({file, parameters != nullptr ? parameters : "", launchAccount_.load()});
}

bool Win32System::ProgramFilesFolder(char* buffer, size_t size) { return ProgramFiles::Folder(buffer, size); }

bool Win32System::HasVirtualOutputDevice() { return virtualOutput_.Attached(); }

void Win32System::WriteVirtualOutput(const uint8_t* report, size_t length) { virtualOutput_.Write(report, length); }
