// How a language is listed in the language dialogs of the panel and of
// Mousora: "Chinese Simple" carries its name in Chinese on a Simplified
// Chinese system, "Chinese trad" always "(Big5)". Names are compared exactly.
#pragma once

#include <string>
#include <string_view>

namespace language_list {

// The entry as ANSI text: the name and its suffix, the Chinese one in the
// GBK code page (for a list of ANSI texts).
std::string AnsiEntry(const std::string& name, unsigned primaryLanguage, unsigned subLanguage);
// The suffix alone as UTF-16, empty when the name has none (for a list of
// wide texts; the caller converts the name from its ANSI code page).
std::u16string_view WideSuffix(std::string_view name, unsigned primaryLanguage, unsigned subLanguage);

}  // namespace language_list
