#include "DialogTemplate.h"

namespace {

void AppendDword(std::vector<WORD>& words, DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
}

}  // namespace

DialogTemplate::DialogTemplate(DWORD style, const RECT& rect, const std::wstring& caption, const std::wstring& font,
                               WORD pointSize) {
    AppendDword(m_words, style | DS_SETFONT);
    AppendDword(m_words, 0);  // extended style
    m_countIndex = m_words.size();
    m_words.push_back(0);  // item count, raised by AddControl
    m_words.push_back(static_cast<WORD>(rect.left));
    m_words.push_back(static_cast<WORD>(rect.top));
    m_words.push_back(static_cast<WORD>(rect.right - rect.left));
    m_words.push_back(static_cast<WORD>(rect.bottom - rect.top));
    m_words.push_back(0);  // no menu
    m_words.push_back(0);  // the default dialog class
    AppendString(caption);
    m_words.push_back(pointSize);
    AppendString(font);
}

void DialogTemplate::AddControl(const std::wstring& className, const std::wstring& text, WORD id, DWORD style,
                                const RECT& rect, DWORD exStyle) {
    AlignToDword();
    AppendDword(m_words, style | WS_CHILD);
    AppendDword(m_words, exStyle);
    m_words.push_back(static_cast<WORD>(rect.left));
    m_words.push_back(static_cast<WORD>(rect.top));
    m_words.push_back(static_cast<WORD>(rect.right - rect.left));
    m_words.push_back(static_cast<WORD>(rect.bottom - rect.top));
    m_words.push_back(id);
    AppendString(className);
    AppendString(text);
    m_words.push_back(0);  // no creation data
    ++m_words[m_countIndex];
}

void DialogTemplate::AppendString(const std::wstring& text) {
    for (wchar_t c : text) m_words.push_back(static_cast<WORD>(c));
    m_words.push_back(0);
}

void DialogTemplate::AlignToDword() {
    if (m_words.size() % 2 != 0) m_words.push_back(0);
}
