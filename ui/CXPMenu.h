// The flat owner-drawn popup menu: fixed 130 x 22 rows with a 25-pixel band
// on the left; the selected row is framed in black on blue-grey.
#pragma once
#include <string>
#include "CDC.h"
#include "CMenu.h"

// The record an item's data points to; owned by the caller while the menu lives.
struct XPMenuItem {
    std::string text;
};

class CXPMenu : public CMenu {
public:
    static constexpr int kItemWidth = 130;
    static constexpr int kItemHeight = 22;
    static constexpr int kBandWidth = 25;
    static constexpr int kTextIndent = 8;
    static constexpr COLORREF kBandColour = RGB(219, 216, 209);
    static constexpr COLORREF kBodyColour = RGB(249, 248, 247);
    static constexpr COLORREF kSelectedColour = RGB(177, 185, 207);

    CXPMenu() = default;
    ~CXPMenu() override = default;

    void MeasureItem(MEASUREITEMSTRUCT* item) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;
    void DrawItemBackground(CDC& dc, const RECT& rect, bool selected);
    void DrawItemText(CDC& dc, RECT rect, const std::string& text);
};
