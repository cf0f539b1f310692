// Pen-button labels and the function menu's writes into the pen buttons'
// records, including records whose texts have no terminator.
#include "PenButtonFunctions.h"
#include "ServiceCodes.h"

#include <doctest/doctest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// English function names by menu index and by tagged action code, as the
// application object hands them out.
std::string EnglishMenuText(uint32_t code)
{
    static const char* const byIndex[] = {"Left Key",  "Right Key", "Middle Key", "Double Click", "Scroll Up",
                                          "Scroll Down", "Keyboard", "Application", "Disable",     "Res..."};
    if (code < 10)
        return byIndex[code];
    switch (code & ~PenButtonFunctions::kActionCodeTag) {
    case ACTION_LEFT_CLICK: return byIndex[0];
    case ACTION_RIGHT_CLICK: return byIndex[1];
    case ACTION_MIDDLE_CLICK: return byIndex[2];
    case ACTION_DOUBLE_CLICK: return byIndex[3];
    case ACTION_SCROLL_UP: return byIndex[4];
    case ACTION_SCROLL_DOWN: return byIndex[5];
    case ACTION_KEYSTROKE: return byIndex[6];
    case ACTION_DISABLED: return byIndex[8];
    case 0x130C: return byIndex[9];
    default: return "";
    }
}

std::string BracedName(uint8_t code)
{
    if (code == 17)
        return "{Ctrl}";
    return std::string("{") + static_cast<char>(code) + "}";
}

std::string Label(const KEYACTION& record)
{
    return PenButtonFunctions::LabelOf(record, EnglishMenuText, BracedName);
}

KEYACTION Record(int32_t code)
{
    KEYACTION record;
    std::memset(&record, 0, sizeof record);
    record.actionCode = code;
    return record;
}

}  // namespace

TEST_SUITE("pen button labels")
{
    TEST_CASE("the label text of every action code")
    {
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
            CHECK(Label(record) == c.text);
        }

        KEYACTION keys = Record(ACTION_KEYSTROKE);
        const uint8_t ctrlC[] = {17, 67, 0, 65};
        std::memcpy(keys.data, ctrlC, sizeof ctrlC);
        CHECK(Label(keys) == "{Ctrl}{C}");
        keys.data[1] = static_cast<char>(255);
        CHECK(Label(keys) == "{Ctrl}");

        KEYACTION launch = Record(ACTION_LAUNCH);
        std::strcpy(launch.data, "C:\\Tools\\paint.exe");
        std::strcpy(launch.parameters, "-new");
        CHECK(Label(launch) == "C:\\Tools\\paint.exe -new");
    }

    TEST_CASE("texts without a terminator end at their field")
    {
        KEYACTION launch = Record(ACTION_LAUNCH);
        std::memset(launch.data, 'p', sizeof launch.data);
        std::memset(launch.parameters, 'q', sizeof launch.parameters);
        const std::string text = Label(launch);
        CHECK(text == std::string(384, 'p') + " " + std::string(128, 'q'));

        // A keystroke record full of key codes stops at the data field's end.
        KEYACTION keys = Record(ACTION_KEYSTROKE);
        std::memset(keys.data, 'A', sizeof keys.data);
        std::memset(keys.parameters, 'B', sizeof keys.parameters);
        int names = 0;
        const std::string walked = PenButtonFunctions::KeystrokeText(keys, [&](uint8_t code) {
            ++names;
            return std::string(1, static_cast<char>(code));
        });
        CHECK(names == 384);
        CHECK(walked == std::string(384, 'A'));
    }

    TEST_CASE("menu entries write the action code and keep the data")
    {
        KEYACTION record = Record(ACTION_KEYSTROKE);
        const uint8_t keyBytes[] = {17, 67, 0};
        std::memcpy(record.data, keyBytes, sizeof keyBytes);
        REQUIRE(PenButtonFunctions::SetSimpleFunction(record, 4871));  // Scroll Up
        CHECK(record.actionCode == ACTION_SCROLL_UP);
        CHECK(std::memcmp(record.data, keyBytes, sizeof keyBytes) == 0);
        CHECK(Label(record) == "Scroll Up");

        const int32_t expected[] = {16, 17, 18, 19, 20, 21, -1, -1, 0, -1};
        for (uint32_t command = 4867; command <= 4876; ++command) {
            CAPTURE(command);
            CHECK(PenButtonFunctions::IsMenuCommand(command));
            KEYACTION probe = Record(999);
            const bool simple = PenButtonFunctions::SetSimpleFunction(probe, command);
            CHECK(simple == (expected[command - 4867] >= 0));
            CHECK(probe.actionCode == (simple ? expected[command - 4867] : 999));
        }
        CHECK_FALSE(PenButtonFunctions::IsMenuCommand(4866));
        CHECK_FALSE(PenButtonFunctions::IsMenuCommand(4877));
        KEYACTION untouched = Record(999);
        CHECK_FALSE(PenButtonFunctions::SetSimpleFunction(untouched, 4877));
    }

    TEST_CASE("keyboard and launch choices fill the record")
    {
        KEYACTION record = Record(ACTION_LAUNCH);
        std::memset(record.data, 'x', sizeof record.data);
        uint8_t keys[PenButtonFunctions::kKeyBufferSize];
        PenButtonFunctions::PreloadKeys(record, keys);
        CHECK(keys[255] == 'x');
        std::memset(keys, 0, sizeof keys);
        keys[0] = 17;
        keys[1] = 86;
        keys[2] = 255;
        PenButtonFunctions::SetKeystroke(record, keys);
        CHECK(record.actionCode == ACTION_KEYSTROKE);
        CHECK(Label(record) == "{Ctrl}{V}");
        CHECK(record.data[256] == 'x');  // beyond the key buffer: carried, meaningless for a keystroke

        // Long paths and parameters are cut to their fields, terminator included.
        const std::string path(500, 'P');
        const std::string parameters(200, 'Q');
        PenButtonFunctions::SetLaunch(record, path, parameters);
        CHECK(record.actionCode == ACTION_LAUNCH);
        CHECK(PenButtonFunctions::FieldText(record.data, 384) == std::string(383, 'P'));
        CHECK(PenButtonFunctions::FieldText(record.parameters, 128) == std::string(127, 'Q'));
        CHECK(PenButtonFunctions::LaunchChoiceText(path) == std::string(383, 'P'));
        // Right after the choice the label is the path alone; from the record, path and parameters.
        PenButtonFunctions::SetLaunch(record, "C:\\a.exe", "");
        CHECK(PenButtonFunctions::LaunchChoiceText("C:\\a.exe") == "C:\\a.exe");
        CHECK(Label(record) == "C:\\a.exe ");
        CHECK(record.data[9] == 0);
    }
}
