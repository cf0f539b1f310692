#include "FixedKeyNames.h"

#include <doctest/doctest.h>

#include <string>

TEST_CASE("the fixed key names: side modifiers by name for the overlay, as characters on request")
{
    using keynames::FixedKeyName;
    using keynames::SideModifiers;
    const char* sides[] = {"{Shift}", "{Shift}", "{Ctrl}", "{Ctrl}", "{Alt}", "{Alt}"};
    for (int code = 160; code <= 165; ++code) {
        CAPTURE(code);
        CHECK(std::string(FixedKeyName(uint8_t(code), SideModifiers::AsModifierNames)) == sides[code - 160]);
        CHECK(FixedKeyName(uint8_t(code), SideModifiers::AsCharacters) == nullptr);
    }
    CHECK(std::string(FixedKeyName(91, SideModifiers::AsCharacters)) == "{Wnd}");
    CHECK(std::string(FixedKeyName(118, SideModifiers::AsCharacters)) == "{F7}");
    CHECK(FixedKeyName(166, SideModifiers::AsModifierNames) == nullptr);
    CHECK(FixedKeyName(124, SideModifiers::AsModifierNames) == nullptr);
    std::string text;
    keynames::AppendFixedKeyName(text, 160, SideModifiers::AsCharacters);
    keynames::AppendFixedKeyName(text, 13, SideModifiers::AsCharacters);
    CHECK(text == std::string(1, char(160)) + "{Enter}");
}
