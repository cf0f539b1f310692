// Pen-button labels and the function menu's writes into the pen buttons'
// records, including records whose texts have no terminator.
#include "ActionNames.h"
#include "ExpressKeyActions.h"
#include "KeyNames.h"
#include "ServiceCodes.h"

#include <doctest/doctest.h>

#include <cstring>
#include <string>

namespace {

// No KEY.ini: every key shows its built-in English name.
class NoKeyFile : public IProfileSource {
public:
    std::string ReadString(const char*, const char*, const char* fallback, size_t) const override { return fallback; }
};

// English function names by tagged action code, as the application object hands them out.
std::string EnglishMenuText(uint32_t code)
{
    switch (code & ~action_names::kTaggedAction) {
    case ACTION_LEFT_CLICK: return "Left Key";
    case ACTION_RIGHT_CLICK: return "Right Key";
    case ACTION_MIDDLE_CLICK: return "Middle Key";
    case ACTION_DOUBLE_CLICK: return "Double Click";
    case ACTION_SCROLL_UP: return "Scroll Up";
    case ACTION_SCROLL_DOWN: return "Scroll Down";
    case ACTION_KEYSTROKE: return "Keyboard";
    case ACTION_DISABLED: return "Disable";
    case 0x130C: return "Res...";
    default: return "";
    }
}

KEYACTION Record(int32_t code)
{
    KEYACTION record;
    std::memset(&record, 0, sizeof record);
    record.actionCode = code;
    return record;
}

struct Labels {
    NoKeyFile file;
    KeyNames names{file, kStyloraKeyNames};
    std::string Of(const KEYACTION& record) const { return key_actions::LabelText(record, names, EnglishMenuText); }
};

}  // namespace

TEST_SUITE("pen button labels")
{
    TEST_CASE("the label text of every action code")
    {
        Labels labels;
        struct Case {
            int32_t code;
            const char* text;
        } cases[] = {
            {ACTION_DISABLED, "Disable"},        {ACTION_LEFT_CLICK, "Left Key"},   {ACTION_RIGHT_CLICK, "Right Key"},
            {ACTION_MIDDLE_CLICK, "Middle Key"}, {ACTION_DOUBLE_CLICK, "Double Click"},
            {ACTION_SCROLL_UP, "Scroll Up"},     {ACTION_SCROLL_DOWN, "Scroll Down"},
            {ACTION_STRIP, ""},                  {0x130C, "Res..."},             {-1, ""},
            {12345, ""},
        };
        for (const Case& c : cases) {
            CAPTURE(c.code);
            KEYACTION record = Record(c.code);
            std::memcpy(record.data, "\x11" "C", 2);  // ignored by every code but keystroke
            CHECK(labels.Of(record) == c.text);
        }

        KEYACTION keys = Record(ACTION_KEYSTROKE);
        const uint8_t ctrlC[] = {17, 67, 0, 65};
        std::memcpy(keys.data, ctrlC, sizeof ctrlC);
        CHECK(labels.Of(keys) == "{Ctrl}{C}");
        keys.data[1] = static_cast<char>(255);
        CHECK(labels.Of(keys) == "{Ctrl}");

        KEYACTION launch = Record(ACTION_LAUNCH);
        std::strcpy(launch.data, "C:\\Tools\\paint.exe");
        std::strcpy(launch.parameters, "-new");
        CHECK(labels.Of(launch) == "C:\\Tools\\paint.exe -new");
    }

    TEST_CASE("texts without a terminator end at their field; the keystroke walk at the data's end")
    {
        Labels labels;
        KEYACTION launch = Record(ACTION_LAUNCH);
        std::memset(launch.data, 'p', sizeof launch.data);
        std::memset(launch.parameters, 'q', sizeof launch.parameters);
        CHECK(labels.Of(launch) == std::string(384, 'p') + " " + std::string(128, 'q'));

        KEYACTION keys = Record(ACTION_KEYSTROKE);
        std::memset(keys.data, 'A', sizeof keys.data);
        std::memset(keys.parameters, 'B', sizeof keys.parameters);
        std::string expected;
        for (int i = 0; i < 384; ++i)
            expected += "{A}";
        CHECK(labels.Of(keys) == expected);
    }

    TEST_CASE("a menu entry over a keystroke sets the code and keeps the key bytes")
    {
        Labels labels;
        KEYACTION record = Record(ACTION_KEYSTROKE);
        const uint8_t keyBytes[] = {17, 67, 0};
        std::memcpy(record.data, keyBytes, sizeof keyBytes);
        REQUIRE(key_actions::SetKeyFunction(record, 4871, nullptr));  // Scroll Up
        CHECK(record.actionCode == ACTION_SCROLL_UP);
        CHECK(std::memcmp(record.data, keyBytes, sizeof keyBytes) == 0);
        CHECK(labels.Of(record) == "Scroll Up");

        const int32_t expected[] = {16, 17, 18, 19, 20, 21};
        for (int command = 4867; command <= 4872; ++command) {
            KEYACTION probe = Record(999);
            REQUIRE(key_actions::SetKeyFunction(probe, command, nullptr));
            CHECK(probe.actionCode == expected[command - 4867]);
        }
        // The label-only entry writes nothing.
        KEYACTION untouched = Record(999);
        uint8_t keys[256] = {17};
        CHECK_FALSE(key_actions::SetKeyFunction(untouched, 4876, keys));
        CHECK(untouched.actionCode == 999);
    }
}
