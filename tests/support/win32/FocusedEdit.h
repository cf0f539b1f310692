// A frame with an edit control that has the keyboard focus: where keystrokes
// injected through the system's keyboard input arrive.
#pragma once

#include <windows.h>

#include <string>

class FocusedEdit {
public:
    FocusedEdit();
    ~FocusedEdit();
    FocusedEdit(const FocusedEdit&) = delete;
    FocusedEdit& operator=(const FocusedEdit&) = delete;

    HWND Edit() const { return edit_; }
    std::string Text() const;
    // Takes the foreground and the focus again (another program may have taken them).
    void Focus() const;
    void Pump(DWORD ms) const;

private:
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
};
