#include "DoubleClickSettings.h"

#include <algorithm>
#include <cstdio>

namespace doubleclick {

namespace {

constexpr uint16_t LANG_CHINESE_PRIMARY = 4;
constexpr uint16_t SUBLANG_SIMPLIFIED = 2;
// "(简体中文)" in the GBK code page.
constexpr const char* SIMPLIFIED_SUFFIX = "(\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4)";

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

std::string Decimal(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

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

std::vector<std::string> LanguageNames(const IProfileSource& language)
{
    const int count = std::clamp(language.ReadInt("language list", "num", 0), 0, MAX_LANGUAGES);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(language.ReadString("language list", Decimal(i).c_str(), "English", TEXT_ROOM));
    return names;
}

std::string LanguageListEntry(const std::string& name, uint16_t primaryLanguage, uint16_t subLanguage)
{
    if (name == "Chinese Simple" && primaryLanguage == LANG_CHINESE_PRIMARY && subLanguage == SUBLANG_SIMPLIFIED)
        return name + SIMPLIFIED_SUFFIX;
    if (name == "Chinese trad")
        return name + "(Big5)";
    return name;
}

std::vector<std::pair<int, std::string>> DialogTexts(int index, const IProfileSource& language)
{
    if (index == -1)
        index = language.ReadInt("selected", "language", 0);
    const std::string section = language.ReadString("language list", Decimal(index).c_str(), "English", TEXT_ROOM);
    std::vector<std::pair<int, std::string>> texts;
    for (const DialogText& text : DIALOG_TEXTS)
        texts.emplace_back(text.controlId, language.ReadString(section.c_str(), text.key, text.builtIn, TEXT_ROOM));
    return texts;
}

}  // namespace doubleclick
