// A track bar. It keeps the range and the position; TBM_SETPOS keeps the
// position inside the range.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "CWnd.h"

class CSliderCtrl : public CWnd {
public:
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    void SetRange(int minimum, int maximum, bool redraw = false) {
        SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
        SendMessage(TBM_SETRANGEMAX, redraw, maximum);
    }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }
};
