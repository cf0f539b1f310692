// A list box; indexes as the control gives them (LB_ERR = -1 for none).
#pragma once
#include <vector>
#include "CWnd.h"

class CListBox : public CWnd {
public:
    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
        return CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", "", style, rect, parent, id);
    }
    int AddString(const char* text) {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    // Multiple-selection lists.
    int SetSel(int index, bool select = true) {
        return static_cast<int>(SendMessage(LB_SETSEL, select, static_cast<LPARAM>(index)));
    }
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    std::vector<int> GetSelItems() const {
        const int count = GetSelCount();
        if (count <= 0) return {};
        std::vector<int> items(static_cast<std::size_t>(count));
        const LRESULT got = SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(items.data()));
        items.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return items;
    }
};
