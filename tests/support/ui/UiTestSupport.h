// Helpers of the window tests: running the queue as the programs do, and
// answering message boxes without a person.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "UiSeams.h"

// Hands out every queued message through the pre-translation walk, as the
// message loops do; with `milliseconds` it keeps doing so until that much time passed.
void PumpPending(DWORD milliseconds = 0);

// The colour at a pixel of a window's client area as it is on screen.
COLORREF ScreenPixel(HWND window, int x, int y);

// Holds the test display for one window test at a time across processes:
// the window tests put their dialog on top and take the foreground, and a
// parallel test doing the same would cover its controls or deactivate it.
class DesktopTurn {
public:
    DesktopTurn();
    ~DesktopTurn();
    DesktopTurn(const DesktopTurn&) = delete;
    DesktopTurn& operator=(const DesktopTurn&) = delete;

private:
    HANDLE m_mutex;
    bool m_held = false;
};

// Records message boxes and answers them with `answer`.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<std::string> texts;
    std::vector<std::string> captions;

private:
    UiSeams::MessageBoxHandler m_previous;
};
