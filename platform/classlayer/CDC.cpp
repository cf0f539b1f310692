#include "CDC.h"

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) {
    COLORREF previous = ::SetBkColor(m_hDC, colour);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, previous);
}

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    FillSolidRect(rect.left, rect.top, width - 1, 1, topLeft);
    FillSolidRect(rect.left, rect.top, 1, height - 1, topLeft);
    FillSolidRect(rect.right - 1, rect.top, 1, height, bottomRight);
    FillSolidRect(rect.left, rect.bottom - 1, width, 1, bottomRight);
}
