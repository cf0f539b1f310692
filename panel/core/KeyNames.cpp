#include "KeyNames.h"

#include "FixedKeyNames.h"

#include <array>
#include <cstdio>

namespace {

struct KeyEntry {
    std::string constant;  // empty: not in the table
    std::string text;
    bool keyboardOnly = false;
};

using KeyTable = std::array<KeyEntry, 256>;

void Put(KeyTable& table, int code, const char* constant, const char* text, bool keyboardOnly = false)
{
    table[static_cast<size_t>(code)] = KeyEntry{constant, text, keyboardOnly};
}

void PutRun(KeyTable& table, int first, int last, const char* constantPrefix, const char* textPrefix,
            bool numbered)
{
    for (int code = first; code <= last; ++code) {
        char suffix[8];
        if (numbered)
            std::snprintf(suffix, sizeof suffix, "%d", code - first + (textPrefix[0] == 'F' ? 1 : 0));
        else
            std::snprintf(suffix, sizeof suffix, "%c", code);
        table[static_cast<size_t>(code)] =
            KeyEntry{std::string(constantPrefix) + suffix, std::string(textPrefix) + suffix, false};
    }
}

KeyTable BuildKeyTable()
{
    KeyTable t;
    Put(t, 8, "VK_BACK", "Bspc");
    Put(t, 9, "VK_TAB", "Tab");
    Put(t, 12, "VK_CLEAR", "Clear");
    Put(t, 13, "VK_RETURN", "Enter");
    Put(t, 16, "VK_SHIFT", "Shift");
    Put(t, 17, "VK_CONTROL", "Ctrl");
    Put(t, 18, "VK_MENU", "Alt");
    Put(t, 19, "VK_PAUSE", "Pause");
    Put(t, 20, "VK_CAPITAL", "Caps Lock");
    Put(t, 21, "VK_HANGUL", "HANGUL");
    Put(t, 25, "VK_HANJA", "HANJA");
    Put(t, 27, "VK_ESCAPE", "Esc");
    Put(t, 28, "VK_CONVERT", "Covt");
    Put(t, 29, "VK_NONCONVERT", "NCovt");
    Put(t, 30, "VK_ACCEPT", "Accept");
    Put(t, 31, "VK_MODECHANGE", "ModeChange");
    Put(t, 32, "VK_SPACE", "Space");
    Put(t, 33, "VK_PRIOR", "PgUp");
    Put(t, 34, "VK_NEXT", "PgDn");
    Put(t, 35, "VK_END", "End");
    Put(t, 36, "VK_HOME", "Home");
    Put(t, 37, "VK_LEFT", "Left");
    Put(t, 38, "VK_UP", "Up");
    Put(t, 39, "VK_RIGHT", "Right");
    Put(t, 40, "VK_DOWN", "Down");
    Put(t, 44, "VK_SNAPSHOT", "Snap");
    Put(t, 45, "VK_INSERT", "Ins");
    Put(t, 46, "VK_DELETE", "Del");
    PutRun(t, '0', '9', "VK_", "", false);
    PutRun(t, 'A', 'Z', "VK_", "", false);
    Put(t, 91, "VK_LWIN", "Wnd");
    Put(t, 92, "VK_RWIN", "Wnd");
    Put(t, 93, "VK_APPS", "VK_APPS", true);
    PutRun(t, 96, 105, "VK_NUMPAD", "Num", true);
    Put(t, 106, "VK_MULTIPLY", "*");
    Put(t, 107, "VK_ADD", "+");
    Put(t, 109, "VK_SUBTRACT", "-");
    Put(t, 110, "VK_DECIMAL", ".");
    Put(t, 111, "VK_DIVIDE", "/");
    PutRun(t, 112, 123, "VK_F", "F", true);
    Put(t, 144, "VK_NUMLOCK", "NumLock");
    Put(t, 145, "VK_SCROLL", "Scroll");
    Put(t, 160, "VK_LSHIFT", "Shift");
    Put(t, 161, "VK_RSHIFT", "Shift");
    Put(t, 162, "VK_LCONTROL", "Ctrl");
    Put(t, 163, "VK_RCONTROL", "Ctrl");
    Put(t, 164, "VK_LMENU", "Alt");
    Put(t, 165, "VK_RMENU", "Alt");
    Put(t, 186, "VK_OEM_1", ";");
    Put(t, 187, "VK_OEM_PLUS", "+");
    Put(t, 188, "VK_OEM_COMMA", ",");
    Put(t, 189, "VK_OEM_MINUS", "-");
    Put(t, 190, "VK_OEM_PERIOD", ".");
    Put(t, 191, "VK_OEM_2", "/");
    Put(t, 192, "VK_OEM_3", "`");
    Put(t, 219, "VK_OEM_4", "[");
    Put(t, 220, "VK_OEM_5", "\\");
    Put(t, 221, "VK_OEM_6", "]");
    Put(t, 222, "VK_OEM_7", "'");
    Put(t, 225, "VK_OEM_AX", "OEM_AX");
    Put(t, 226, "VK_OEM_102", "OEM_102");
    Put(t, 227, "VK_ICO_HELP", "ICO_HELP");
    Put(t, 228, "VK_ICO_00", "ICO_00");
    Put(t, 229, "VK_PROCESSKEY", "PROCESSKEY");
    Put(t, 243, "VK_OEM_AUTO", "VK_OEM_AUTO", true);
    Put(t, 244, "VK_OEM_ENLW", "VK_OEM_ENLW", true);
    return t;
}

const KeyEntry* Find(uint8_t code, bool withKeyboardOnlyKeys)
{
    static const KeyTable table = BuildKeyTable();
    const KeyEntry& entry = table[code];
    if (entry.constant.empty() || (entry.keyboardOnly && !withKeyboardOnlyKeys))
        return nullptr;
    return &entry;
}

}  // namespace

const char* KeyNames::KeyConstantName(uint8_t code, bool withKeyboardOnlyKeys)
{
    const KeyEntry* entry = Find(code, withKeyboardOnlyKeys);
    return entry != nullptr ? entry->constant.c_str() : nullptr;
}

const char* KeyNames::BuiltInText(uint8_t code, bool withKeyboardOnlyKeys)
{
    const KeyEntry* entry = Find(code, withKeyboardOnlyKeys);
    return entry != nullptr ? entry->text.c_str() : nullptr;
}

std::string KeyNames::SelectedSection() const
{
    const std::string index = file_.ReadString("selected", "language", "0");
    return file_.ReadString("language list", index.c_str(), "English");
}

std::string KeyNames::FileText(uint8_t code, bool withKeyboardOnlyKeys) const
{
    const KeyEntry* entry = Find(code, withKeyboardOnlyKeys);
    if (entry == nullptr)
        return {};
    return file_.ReadString(SelectedSection().c_str(), entry->constant.c_str(), entry->text.c_str());
}

std::string KeyNames::GetKeyDisplayName(uint8_t code) const
{
    if (!policy_.displayNamesFromFile) {
        // The second brand's fixed table, no file; the side modifiers are not in it.
        std::string name;
        keynames::AppendFixedKeyName(name, code, keynames::SideModifiers::AsCharacters);
        return name;
    }
    const std::string name =
        Find(code, false) != nullptr ? FileText(code, false) : std::string(1, static_cast<char>(code));
    return "{" + name + "}";
}

std::string KeyNames::KeyCaption(uint8_t code) const
{
    if (Find(code, policy_.keyboardOnlyCaptions) == nullptr)
        return kUnknownCaption;
    return FileText(code, policy_.keyboardOnlyCaptions);
}

std::string KeyNames::SequenceText(const uint8_t* codes, size_t size) const
{
    std::string text;
    for (size_t i = 0; codes != nullptr && i < size && codes[i] != 0 && codes[i] != 255; ++i)
        text += GetKeyDisplayName(codes[i]);
    return text;
}
