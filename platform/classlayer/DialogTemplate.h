// A dialog template built in memory, for dialogs whose layout is made by the
// program rather than read from its resources.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class DialogTemplate {
public:
    // Position and size in dialog units; `font` with DS_SETFONT in `style`.
    DialogTemplate(DWORD style, const RECT& rect, const std::wstring& caption, const std::wstring& font = L"MS Shell Dlg",
                   WORD pointSize = 8);

    // Predefined classes by name: L"BUTTON", L"STATIC", L"EDIT", L"COMBOBOX",
    // L"LISTBOX", L"msctls_trackbar32"...
    void AddControl(const std::wstring& className, const std::wstring& text, WORD id, DWORD style, const RECT& rect,
                    DWORD exStyle = 0);

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void AppendString(const std::wstring& text);
    void AlignToDword();

    std::vector<WORD> m_words;
    std::size_t m_countIndex;
};
