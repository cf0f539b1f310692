#include "OverlayLabels.h"

#include "FixedKeyNames.h"
#include "ServiceCodes.h"
#include "SharedSections.h"

#include <cstdio>
#include <cstring>

namespace overlay {

namespace {

constexpr int LEFT_LABEL_X = 150;
constexpr int RIGHT_LABEL_END = 750;
// Row of keys 0..9 in each layout; -1: never labelled.
constexpr int ROWS_PANEL_LEFT[KEY_SLOTS] = {130, 160, 190, 220, -1, 390, 420, 450, 480, -1};
constexpr int ROWS_PANEL_RIGHT[KEY_SLOTS] = {480, 450, 420, 390, -1, 220, 190, 160, 130, -1};

constexpr int32_t ACTION_OTHER = 0x130C;
constexpr ActionText ACTION_TEXTS[] = {
    {ACTION_DISABLED, "Menu_Disable", "Disable"},
    {ACTION_LEFT_CLICK, "Menu_Left", "Left Key"},
    {ACTION_RIGHT_CLICK, "Menu_Right", "Right Key"},
    {ACTION_MIDDLE_CLICK, "Menu_Middle", "Middle Key"},
    {ACTION_DOUBLE_CLICK, "Menu_Double_Click", "Double Click"},
    {ACTION_SCROLL_UP, "Menu_ScrollUp", "Scroll Up"},
    {ACTION_SCROLL_DOWN, "Menu_ScrollDn", "Scroll Down"},
    {ACTION_KEYSTROKE, "Menu_Keyboard", "Keyboard"},
    {ACTION_OTHER, "Menu_Other", "Res..."},
};

constexpr uint8_t KEYSTROKE_END = 0;
constexpr uint8_t KEYSTROKE_UNUSED = 255;

// Appends up to `size` bytes of a field that may lack its terminator,
// keeping the whole text within LABEL_MAX_CHARS.
void AppendField(std::string& text, const char* field, size_t size)
{
    const void* end = std::memchr(field, '\0', size);
    size_t length = end != nullptr ? static_cast<size_t>(static_cast<const char*>(end) - field) : size;
    if (text.size() >= LABEL_MAX_CHARS)
        return;
    if (length > LABEL_MAX_CHARS - text.size())
        length = LABEL_MAX_CHARS - text.size();
    text.append(field, length);
}

std::string KeystrokeLabel(const KEYACTION& action)
{
    std::string text;
    for (size_t i = 0; i < KEYACTION_DATA_SIZE; ++i) {
        const uint8_t code = static_cast<uint8_t>(action.data[i]);
        if (code == KEYSTROKE_END || code == KEYSTROKE_UNUSED)
            break;
        std::string name;
        KeyCodeToName(code, name);
        // Whole names only: a list too long for the label stops at the last one that fits.
        if (text.size() + name.size() > LABEL_MAX_CHARS)
            break;
        text += name;
    }
    return text;
}

std::string LaunchLabel(const KEYACTION& action)
{
    std::string text;
    AppendField(text, action.data, KEYACTION_DATA_SIZE);
    AppendField(text, " ", 1);
    AppendField(text, action.parameters, KEYACTION_PARAM_SIZE);
    return text;
}

}  // namespace

Layout LayoutForRotation(int32_t rotationCode)
{
    return rotationCode == ROTATION_TURNED ? Layout::PanelRight : Layout::PanelLeft;
}

int BackgroundBitmapId(bool keyAreaMapped, int32_t rotationCode)
{
    return keyAreaMapped && rotationCode == ROTATION_TURNED ? BITMAP_PANEL_RIGHT : BITMAP_PANEL_LEFT;
}

bool PlaceLabel(int key, Layout layout, LabelPlace& place)
{
    if (key < 0 || key >= KEY_SLOTS)
        return false;
    const bool right = layout == Layout::PanelRight;
    const int y = right ? ROWS_PANEL_RIGHT[key] : ROWS_PANEL_LEFT[key];
    if (y < 0)
        return false;
    place.x = right ? RIGHT_LABEL_END : LEFT_LABEL_X;
    place.y = y;
    place.rightAligned = right;
    return true;
}

int RightAlignedLeft(int rightEnd, size_t chars, int averageCharWidth)
{
    return rightEnd - static_cast<int>(chars) * averageCharWidth;
}

int32_t TagActionCode(int32_t code)
{
    return static_cast<int32_t>((static_cast<uint32_t>(code) & 0x00FFFFFFu) | 0xFF000000u);
}

const ActionText* FindActionText(int32_t taggedCode)
{
    if ((static_cast<uint32_t>(taggedCode) >> 24) != 0xFFu)
        return nullptr;
    const int32_t code = taggedCode & 0xFFFF;
    for (const ActionText& entry : ACTION_TEXTS) {
        if (entry.code == code)
            return &entry;
    }
    return nullptr;
}

int ReadSelectedLanguage(const IProfileSource& language) { return language.ReadInt("selected", "language", 0); }

void KeyCodeToName(uint8_t code, std::string& text)
{
    // The service's own keystrokes use the left-hand modifier codes: they are named too.
    keynames::AppendFixedKeyName(text, code, keynames::SideModifiers::AsModifierNames);
}

std::string GetActionText(int32_t taggedCode, const IProfileSource& language)
{
    char index[16];
    std::snprintf(index, sizeof index, "%d", ReadSelectedLanguage(language));
    const std::string section = language.ReadString("language list", index, "English", LANGUAGE_TEXT_ROOM);
    if (section.empty())
        return {};
    const ActionText* entry = FindActionText(taggedCode);
    if (entry == nullptr)
        return {};
    return language.ReadString(section.c_str(), entry->key, entry->builtIn, LANGUAGE_TEXT_ROOM);
}

std::string BuildKeyLabel(const KEYACTION& action, const IProfileSource& language)
{
    switch (action.actionCode) {
    case ACTION_LAUNCH:
        return LaunchLabel(action);
    case ACTION_KEYSTROKE:
        return KeystrokeLabel(action);
    default: {
        std::string text = GetActionText(TagActionCode(action.actionCode), language);
        if (text.size() > LABEL_MAX_CHARS)
            text.resize(LABEL_MAX_CHARS);
        return text;
    }
    }
}

int32_t KeyAreaRotation(const uint8_t* keyArea, size_t size)
{
    int32_t code = 0;
    if (keyArea != nullptr && size >= KEYAREA_ROTATION_OFFSET + sizeof code)
        std::memcpy(&code, keyArea + KEYAREA_ROTATION_OFFSET, sizeof code);
    return code;
}

std::vector<Label> BuildLabels(const uint8_t* keyArea, size_t size, const IProfileSource& language)
{
    std::vector<Label> labels;
    if (keyArea == nullptr)
        return labels;
    const Layout layout = LayoutForRotation(KeyAreaRotation(keyArea, size));
    for (int key = 0; key < KEY_SLOTS; ++key) {
        Label label;
        label.key = key;
        const size_t at = KEYAREA_KEYS_OFFSET + KEYACTION_SIZE * static_cast<size_t>(key);
        if (!PlaceLabel(key, layout, label.place) || size < at + KEYACTION_SIZE)
            continue;
        // The section may be shared with a writer: work on a copy.
        KEYACTION action;
        std::memcpy(&action, keyArea + at, sizeof action);
        label.text = BuildKeyLabel(action, language);
        labels.push_back(std::move(label));
    }
    return labels;
}

}  // namespace overlay
