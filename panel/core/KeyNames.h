// Display names of virtual keys ({Ctrl}, {A}) and the captions of the keys
// the on-screen keyboard draws, from the key-name file with a built-in
// English text for every known key. The file is read afresh on every look-up:
// it is installed data that may change while the panel runs.
#pragma once

#include "ProfileSource.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct KeyNamePolicy {
    const char* fileSuffix;       // below the Program Files folder
    bool displayNamesFromFile;    // false: the fixed display-name table, no file
    bool keyboardOnlyCaptions;    // the Applications and two OEM keys have captions
};

inline constexpr KeyNamePolicy kStyloraKeyNames{"\\Stylora\\KEY.ini", true, true};
inline constexpr KeyNamePolicy kPenmiraKeyNames{"\\Vexora\\KEY.ini", false, false};

class KeyNames {
public:
    static constexpr const char* kUnknownCaption = "#ERR#";

    KeyNames(const IProfileSource& file, const KeyNamePolicy& policy) : file_(file), policy_(policy) {}

    // "{name}" for a known key; any other code is shown as its own character.
    std::string GetKeyDisplayName(uint8_t code) const;
    // The caption of a drawn key, without braces; "#ERR#" for an unknown code.
    std::string KeyCaption(uint8_t code) const;
    // The display names of `codes` up to the first 0 or 255, never past `size` bytes.
    std::string SequenceText(const uint8_t* codes, size_t size) const;

    // The virtual-key constant name ("VK_F1") of a code in the key table, or null.
    static const char* KeyConstantName(uint8_t code, bool withKeyboardOnlyKeys);
    // The built-in English text of a code in the key table, or null.
    static const char* BuiltInText(uint8_t code, bool withKeyboardOnlyKeys);
    // The section of the file's selected language.
    std::string SelectedSection() const;

private:
    std::string FileText(uint8_t code, bool withKeyboardOnlyKeys) const;

    const IProfileSource& file_;
    const KeyNamePolicy& policy_;
};
