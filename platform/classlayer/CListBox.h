// A list box; indexes as the control gives them (LB_ERR = -1 for none).
#pragma once
#include <vector>
#include "CWnd.h"

class CListBox : public CWnd {
public:
    int AddString(const char* text) {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
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
