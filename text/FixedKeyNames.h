// The fixed table of key names that the express-key overlay (and the second
// brand's panel) use to show a recorded keystroke: "{Ctrl}{Alt}A".
#pragma once

#include <cstdint>
#include <string>

namespace keynames {

// How the left- and right-hand modifier codes 160..165 (the codes the service
// stores in its default keystrokes) are shown.
enum class SideModifiers {
    AsModifierNames,  // {Shift}, {Ctrl}, {Alt}, like 16, 17, 18
    AsCharacters,     // the single character with that code
};

// The braced name of `code` ("{F5}"), or nullptr when the table has none.
const char* FixedKeyName(uint8_t code, SideModifiers sides);

// Appends what `code` shows as: its name, or else the single character with
// that code (no braces).
void AppendFixedKeyName(std::string& text, uint8_t code, SideModifiers sides);

}  // namespace keynames
