// The double-click settings dialog's arithmetic and texts: the speed
// slider's mapping to the double-click time, the language list's entries
// and the dialog's localized texts.
#pragma once

#include "ProfileSource.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace doubleclick {

constexpr int SPEED_SLIDER_MAX = 900;  // 0 = slowest (900 ms), 900 = fastest
constexpr int SCOPE_SLIDER_MIN = 4;
constexpr int SCOPE_SLIDER_MAX = 32;
constexpr size_t TEXT_ROOM = 128;
// More languages than any language file lists: a larger count is a damaged file.
constexpr int MAX_LANGUAGES = 64;

// Thumb position of a double-click time; times above 900 ms put it at 0.
int SpeedThumbFromTime(unsigned timeMs);
// Double-click time of a thumb position: 900 - position, never 0 (which
// would mean the system's default).
unsigned TimeFromSpeedThumb(int position);

// The languages' names from "language list", at most MAX_LANGUAGES.
std::vector<std::string> LanguageNames(const IProfileSource& language);
// A language's entry in the list: "Chinese Simple" gets its own name on a
// Simplified Chinese system, "Chinese trad" always "(Big5)".
std::string LanguageListEntry(const std::string& name, uint16_t primaryLanguage, uint16_t subLanguage);

// The dialog's six texts (control id, text) in the language of `index`,
// or of the stored choice when index is -1.
std::vector<std::pair<int, std::string>> DialogTexts(int index, const IProfileSource& language);

}  // namespace doubleclick
