// The double-click settings dialog's arithmetic and texts: the speed
// slider's mapping to the double-click time and the dialog's localized texts.
#pragma once

#include "LanguageFile.h"

#include <string>
#include <utility>
#include <vector>

namespace doubleclick {

constexpr int SPEED_SLIDER_MAX = 900;  // 0 = slowest (900 ms), 900 = fastest
constexpr int SCOPE_SLIDER_MIN = 4;
constexpr int SCOPE_SLIDER_MAX = 32;
// The dialogs read the language names and texts into 128-byte buffers.
constexpr size_t TEXT_ROOM = 128;

// Thumb position of a double-click time; times above 900 ms put it at 0.
int SpeedThumbFromTime(unsigned timeMs);
// Double-click time of a thumb position: 900 - position, never 0 (which
// would mean the system's default).
unsigned TimeFromSpeedThumb(int position);

// The dialog's six texts (control id, text) in the language of `index`,
// or of the stored choice when index is -1.
std::vector<std::pair<int, std::string>> DialogTexts(int index, const LanguageFile& language);

}  // namespace doubleclick
