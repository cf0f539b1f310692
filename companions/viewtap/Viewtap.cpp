// The rotation watcher: a hidden window that, on every display change,
// tells the device service the rotation and rectangle of the display that
// holds the tablet's mapped area.
#include "ViewtapResource.h"
#include "ViewtapWatcher.h"

#include <windows.h>

namespace {

constexpr int NAME_CHARS = 100;

// The program's one watcher, used by the window procedure.
ViewtapWatcher* g_watcher = nullptr;

LRESULT CALLBACK ViewtapWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_DISPLAYCHANGE:
        if (g_watcher != nullptr)
            g_watcher->OnDisplayChange();
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

ATOM RegisterViewtapClass(HINSTANCE instance, const wchar_t* className)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ViewtapWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VIEWTAP));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    windowClass.hIconSm = windowClass.hIcon;
    return RegisterClassExW(&windowClass);
}

bool IsWindows2000()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version))
        return false;
#pragma GCC diagnostic pop
    return version.dwMajorVersion < 6 && version.dwMinorVersion == 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    wchar_t title[NAME_CHARS + 1] = {};
    wchar_t className[NAME_CHARS + 1] = {};
    LoadStringW(instance, IDS_APP_TITLE, title, NAME_CHARS);
    LoadStringW(instance, IDC_VIEWTAP, className, NAME_CHARS);
    RegisterViewtapClass(instance, className);
    if (IsWindows2000())
        return 0;

    ViewtapWatcher watcher;
    watcher.Start();
    g_watcher = &watcher;
    HWND window = CreateWindowW(className, title, WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr, instance,
                                nullptr);
    if (window == nullptr)
        return 0;
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_VIEWTAP));
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorW(message.hwnd, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    g_watcher = nullptr;
    return static_cast<int>(message.wParam);
}
