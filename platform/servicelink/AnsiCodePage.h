// Unicode text as a program of the ANSI code page reads it: the conversion
// the profile functions apply to a settings file saved as UTF-16. A
// character the code page lacks becomes its nearest or default character.
#pragma once

#include <string>
#include <string_view>

namespace AnsiCodePage {

std::string FromUtf16(std::u16string_view text);

}  // namespace AnsiCodePage
