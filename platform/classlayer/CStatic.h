// A static text or picture control.
#pragma once
#include "CWnd.h"

class CStatic : public CWnd {
public:
    bool Create(const char* text, DWORD style, const RECT& rect, HWND parent, UINT id) {
        return CreateEx(0, "STATIC", text, style, rect, parent, id);
    }
};
