#include "DoubleClickSettings.h"

#include <algorithm>

namespace doubleclick {

namespace {

struct DialogText {
    int controlId;
    const char* key;
    const char* builtIn;
};

constexpr DialogText DIALOG_TEXTS[] = {
    {1007, "DoubleClick_Speed", "Double-click speed"},
    {1008, "DoubleClick_Scope", "Double-click scope"},
    {1002, "Slow", "Slow"},
    {1003, "Fast", "Fast"},
    {1004, "Small", "Small"},
    {1005, "Large", "Large"},
};

}  // namespace

int SpeedThumbFromTime(unsigned timeMs)
{
    return timeMs > static_cast<unsigned>(SPEED_SLIDER_MAX) ? 0 : SPEED_SLIDER_MAX - static_cast<int>(timeMs);
}

unsigned TimeFromSpeedThumb(int position)
{
    position = std::clamp(position, 0, SPEED_SLIDER_MAX - 1);
    return static_cast<unsigned>(SPEED_SLIDER_MAX - position);
}

std::vector<std::pair<int, std::string>> DialogTexts(int index, const LanguageFile& language)
{
    if (index == -1)
        index = language.SelectedLanguage();
    std::vector<std::pair<int, std::string>> texts;
    for (const DialogText& text : DIALOG_TEXTS)
        texts.emplace_back(text.controlId, language.Text(index, text.key, text.builtIn, TEXT_ROOM, TEXT_ROOM));
    return texts;
}

}  // namespace doubleclick
