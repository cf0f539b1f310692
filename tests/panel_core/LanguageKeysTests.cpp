#include "LanguageKeys.h"

#include <doctest/doctest.h>

#include <string>

TEST_CASE("function names: menu indexes and tagged action codes")
{
    CHECK(std::string(langkeys::FunctionMenuKey(0)->english) == "Left Key");
    CHECK(std::string(langkeys::FunctionMenuKey(7)->key) == "Menu_App");
    CHECK(std::string(langkeys::FunctionMenuKey(9)->english) == "Res...");
    CHECK(std::string(langkeys::FunctionMenuKey(langkeys::kTaggedAction | 17)->english) == "Right Key");
    CHECK(std::string(langkeys::FunctionMenuKey(langkeys::kTaggedAction | 256)->key) == "Menu_Keyboard");
    CHECK(std::string(langkeys::FunctionMenuKey(langkeys::kTaggedAction | 0)->key) == "Menu_Disable");
    CHECK(std::string(langkeys::FunctionMenuKey(langkeys::kTaggedAction | 0x130C)->key) == "Menu_Other");
    // Launch and strip are labelled by their callers; others have no name.
    CHECK(langkeys::FunctionMenuKey(langkeys::kTaggedAction | 4096) == nullptr);
    CHECK(langkeys::FunctionMenuKey(langkeys::kTaggedAction | 22) == nullptr);
    CHECK(langkeys::FunctionMenuKey(10) == nullptr);
    CHECK(langkeys::FunctionMenuKey(16) == nullptr);  // untagged action codes are not menu indexes
}
