#include "CompanionWindows.h"

#include "ChildProcess.h"
#include "ScreenCanvas.h"

#include <cstring>

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId)
        return TRUE;
    char text[256] = {};
    if (search.className != nullptr &&
        (!GetClassNameA(window, text, sizeof text) || std::strcmp(text, search.className) != 0))
        return TRUE;
    if (search.caption != nullptr && (GetWindowTextA(window, text, sizeof text), std::strcmp(text, search.caption)))
        return TRUE;
    search.found = window;
    return FALSE;
}

void SendMouse(DWORD flags, int x = 0, int y = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = static_cast<LONG>((x * 65535LL + width / 2) / (width - 1));
        input.mi.dy = static_cast<LONG>((y * 65535LL + height / 2) / (height - 1));
    }
    SendInput(1, &input, sizeof input);
    PumpThreadMessages(30);
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs)
{
    // Only a window already shown: before that its controls and place may not be set yet.
    WindowSearch search{processId, className, caption, nullptr};
    WaitUntil(
        [&] {
            search.found = nullptr;
            EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr && IsWindowVisible(search.found);
        },
        timeoutMs);
    return search.found != nullptr && IsWindowVisible(search.found) ? search.found : nullptr;
}

int CountScreenPixels(const RECT& area, const std::function<bool(COLORREF)>& test)
{
    HDC screen = GetDC(nullptr);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            count += test(GetPixel(screen, x, y)) ? 1 : 0;
    }
    ReleaseDC(nullptr, screen);
    return count;
}

bool IsLabelRed(COLORREF colour) { return GetRValue(colour) > 200 && GetGValue(colour) < 80 && GetBValue(colour) < 80; }

void MovePointer(int x, int y) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y); }
void PressLeft() { SendMouse(MOUSEEVENTF_LEFTDOWN); }
void ReleaseLeft() { SendMouse(MOUSEEVENTF_LEFTUP); }

void DoubleClickAt(int x, int y)
{
    MovePointer(x, y);
    for (int click = 0; click < 2; ++click) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, input, sizeof input[0]);
    }
    PumpThreadMessages(200);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    for (DWORD waited = 0;; waited += 20) {
        if (condition())
            return true;
        if (waited >= timeoutMs)
            return false;
        PumpThreadMessages(20);
    }
}
