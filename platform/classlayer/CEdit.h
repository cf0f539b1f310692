// An edit control.
#pragma once
#include "CWnd.h"

class CEdit : public CWnd {
public:
    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
        return CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", style, rect, parent, id);
    }
    void SetLimitText(UINT maxChars) { SendMessage(EM_LIMITTEXT, maxChars); }
};
