// A push button, check box or radio button. Owner-drawn buttons get their
// WM_DRAWITEM back from the parent in DrawItem.
#pragma once
#include "CWnd.h"

class CButton : public CWnd {
public:
    bool Create(const char* caption, DWORD style, const RECT& rect, HWND parent, UINT id) {
        return CreateEx(0, "BUTTON", caption, style, rect, parent, id);
    }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }

    virtual void DrawItem(DRAWITEMSTRUCT*) {}

    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_DRAWITEM) {
            DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            *result = TRUE;
            return true;
        }
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
};
