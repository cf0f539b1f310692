#include "CXPMenu.h"

void CXPMenu::MeasureItem(MEASUREITEMSTRUCT* item) {
    item->itemWidth = kItemWidth;
    item->itemHeight = kItemHeight;
}

void CXPMenu::DrawItem(DRAWITEMSTRUCT* item) {
    CDC dc(item->hDC);
    dc.SetBkMode(TRANSPARENT);
    const RECT rect = item->rcItem;
    const auto* record = reinterpret_cast<const XPMenuItem*>(item->itemData);
    if (!record) return;
    DrawItemBackground(dc, rect, (item->itemState & ODS_SELECTED) != 0);
    DrawItemText(dc, RECT{rect.left + kBandWidth, rect.top, rect.right, rect.bottom}, record->text);
}

void CXPMenu::DrawItemBackground(CDC& dc, const RECT& rect, bool selected) {
    if (selected) {
        dc.SelectObject(GetStockObject(NULL_BRUSH));
        dc.SelectObject(GetStockObject(BLACK_PEN));
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
        RECT inner = rect;
        InflateRect(&inner, -1, -1);
        dc.FillSolidRect(inner, kSelectedColour);
        return;
    }
    dc.FillSolidRect(RECT{rect.left, rect.top, rect.left + kBandWidth, rect.bottom}, kBandColour);
    dc.FillSolidRect(RECT{rect.left + kBandWidth, rect.top, rect.right, rect.bottom}, kBodyColour);
}

void CXPMenu::DrawItemText(CDC& dc, RECT rect, const std::string& text) {
    rect.left += kTextIndent;
    dc.DrawText(text, rect, DT_VCENTER | DT_SINGLELINE);
}
