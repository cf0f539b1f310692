#include "CMyStatic.h"

#include <cstring>

namespace {

bool CreateBoldFont(CFont& font, int width, int height, const char* face) {
    font.Attach(CreateFontA(height, width, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, face));
    return font.GetSafeHandle() != nullptr;
}

}  // namespace

CMyStatic::CMyStatic() { CreateBoldFont(m_font, 12, 24, "System"); }

CMyStatic::~CMyStatic() = default;

const MessageMap* CMyStatic::GetThisMessageMap() {
    static const MapEntry entries[] = {
        OnMessage<WM_PAINT, &CMyStatic::OnPaint>(),
    };
    static const MessageMap map(CWnd::GetThisMessageMap(), entries);
    return &map;
}

void CMyStatic::SetText(const char* text) {
    std::memset(m_text, 0, sizeof(m_text));
    if (text) std::strncpy(m_text, text, sizeof(m_text) - 1);
    if (m_hWnd) Invalidate(true);
}

void CMyStatic::SetTextFont(int width, int height, const char* face) {
    m_font.DeleteObject();
    CreateBoldFont(m_font, width, height, face);
}

void CMyStatic::OnPaint() {
    CPaintDC dc(m_hWnd);
    CBrush brush(m_backgroundColour);
    CSelectObject brushSelected(dc, brush);
    dc.SetTextColor(m_textColour);
    if (m_transparent) dc.SetBkMode(TRANSPARENT);
    CSelectObject fontSelected(dc, m_font);
    dc.TextOut(0, 0, m_text);
}
