// The common tooltip control.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "CWnd.h"

class CToolTipCtrl : public CWnd {
public:
    bool Create(HWND parent, DWORD style = 0) {
        return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | style,
                        CRect(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT), parent, 0);
    }
    void Activate(bool active) { SendMessage(TTM_ACTIVATE, active); }
    void SetMaxTipWidth(int width) { SendMessage(TTM_SETMAXTIPWIDTH, 0, width); }
    void RelayEvent(MSG* message) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message)); }
};
