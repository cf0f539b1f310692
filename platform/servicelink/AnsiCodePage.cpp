#include "AnsiCodePage.h"

#include <windows.h>

#include <climits>

namespace AnsiCodePage {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 is the system's wide text");

std::string FromUtf16(std::u16string_view text)
{
    if (text.empty() || text.size() > INT_MAX / 2)
        return std::string();
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

}  // namespace AnsiCodePage
