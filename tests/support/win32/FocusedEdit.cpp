#include "FocusedEdit.h"

#include "ScreenCanvas.h"

FocusedEdit::FocusedEdit()
{
    frame_ = CreateWindowExA(0, "STATIC", "typing", WS_POPUP | WS_VISIBLE, 100, 100, 300, 80, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 280, 24, frame_, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    Focus();
}

FocusedEdit::~FocusedEdit()
{
    DestroyWindow(frame_);
}

void FocusedEdit::Focus() const
{
    SetForegroundWindow(frame_);
    SetFocus(edit_);
}

std::string FocusedEdit::Text() const
{
    char text[64] = {};
    GetWindowTextA(edit_, text, sizeof text - 1);
    return text;
}

void FocusedEdit::Pump(DWORD ms) const
{
    PumpThreadMessages(ms);
}
