#include "OverlayLabels.h"

#include "ActionNames.h"
#include "FixedKeyNames.h"
#include "ServiceCodes.h"
#include "SharedSections.h"

#include <cstring>

namespace overlay {

namespace {

constexpr int LEFT_LABEL_X = 150;
constexpr int RIGHT_LABEL_END = 750;
// Row of keys 0..9 in each layout; -1: never labelled.
constexpr int ROWS_PANEL_LEFT[KEY_SLOTS] = {130, 160, 190, 220, -1, 390, 420, 450, 480, -1};
constexpr int ROWS_PANEL_RIGHT[KEY_SLOTS] = {480, 450, 420, 390, -1, 220, 190, 160, 130, -1};

// Bits of a tagged code the overlay does not look at: it names an action by
// the low 16 bits of its code.
constexpr uint32_t IGNORED_ACTION_BITS = 0x00FF0000u;

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

void KeyCodeToName(uint8_t code, std::string& text)
{
    // The service's own keystrokes use the left-hand modifier codes: they are named too.
    keynames::AppendFixedKeyName(text, code, keynames::SideModifiers::AsModifierNames);
}

std::string GetActionText(uint32_t taggedCode, const LanguageFile& language)
{
    const int index = language.SelectedLanguage();
    if (!language.NamesLanguage(index))
        return {};
    const LanguageKey* name = action_names::TaggedActionName(taggedCode & ~IGNORED_ACTION_BITS);
    if (name == nullptr)
        return {};
    return language.Text(index, name->key, name->english, LANGUAGE_TEXT_ROOM, LANGUAGE_TEXT_ROOM);
}

std::string BuildKeyLabel(const KEYACTION& action, const LanguageFile& language)
{
    switch (action.actionCode) {
    case ACTION_LAUNCH:
        return LaunchLabel(action);
    case ACTION_KEYSTROKE:
        return KeystrokeLabel(action);
    default: {
        std::string text = GetActionText(action_names::TagAction(action.actionCode), language);
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

std::vector<Label> BuildLabels(const uint8_t* keyArea, size_t size, const LanguageFile& language)
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
