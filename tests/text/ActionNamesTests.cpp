#include "ActionNames.h"

#include <doctest/doctest.h>

#include <string>

TEST_CASE("function names: menu indexes and tagged action codes")
{
    using action_names::FunctionName;
    using action_names::kTaggedAction;
    CHECK(std::string(FunctionName(0)->english) == "Left Key");
    CHECK(std::string(FunctionName(7)->key) == "Menu_App");
    CHECK(std::string(FunctionName(9)->english) == "Res...");
    CHECK(std::string(FunctionName(kTaggedAction | 17)->english) == "Right Key");
    CHECK(std::string(FunctionName(kTaggedAction | 256)->key) == "Menu_Keyboard");
    CHECK(std::string(FunctionName(kTaggedAction | 0)->key) == "Menu_Disable");
    CHECK(std::string(FunctionName(kTaggedAction | 0x130C)->key) == "Menu_Other");
    // Launch and strip are labelled by their callers; others have no name.
    CHECK(FunctionName(kTaggedAction | 4096) == nullptr);
    CHECK(FunctionName(kTaggedAction | 22) == nullptr);
    CHECK(FunctionName(10) == nullptr);
    CHECK(FunctionName(16) == nullptr);  // untagged action codes are not menu indexes
}
