#include "DoubleClickSettings.h"
#include "ProfileTable.h"

#include <doctest/doctest.h>

using namespace doubleclick;

TEST_SUITE("double-click settings")
{
    TEST_CASE("the speed slider: 900 - time, never a time of 0")
    {
        CHECK(SpeedThumbFromTime(500) == 400);
        CHECK(SpeedThumbFromTime(900) == 0);
        CHECK(SpeedThumbFromTime(5000) == 0);
        CHECK(SpeedThumbFromTime(0) == 900);
        CHECK(TimeFromSpeedThumb(0) == 900);
        CHECK(TimeFromSpeedThumb(400) == 500);
        CHECK(TimeFromSpeedThumb(899) == 1);
        CHECK(TimeFromSpeedThumb(900) == 1);
        CHECK(TimeFromSpeedThumb(-3) == 900);
    }

    TEST_CASE("the language list: names with their suffixes, a damaged count bounded")
    {
        ProfileTable file;
        file.sections["language list"] = {
            {"num", "3"}, {"0", "English"}, {"1", "Chinese Simple"}, {"2", "Chinese trad"}};
        const std::vector<std::string> names = LanguageNames(file);
        REQUIRE(names.size() == 3);
        CHECK(LanguageListEntry(names[1], 4, 2) == "Chinese Simple(\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4)");
        CHECK(LanguageListEntry(names[1], 9, 1) == "Chinese Simple");
        CHECK(LanguageListEntry(names[1], 4, 1) == "Chinese Simple");
        CHECK(LanguageListEntry(names[2], 9, 1) == "Chinese trad(Big5)");
        CHECK(LanguageListEntry("chinese trad", 9, 1) == "chinese trad");

        file.sections["language list"]["num"] = "2000000000";
        const std::vector<std::string> many = LanguageNames(file);
        CHECK(many.size() == MAX_LANGUAGES);
        CHECK(many.back() == "English");  // missing names default to English
        file.sections["language list"]["num"] = "-4";
        CHECK(LanguageNames(file).empty());
        ProfileTable noFile;
        CHECK(LanguageNames(noFile).empty());
    }

    TEST_CASE("the dialog's texts in the stored or the given language, built in where missing")
    {
        ProfileTable file;
        file.sections["selected"]["language"] = "1";
        file.sections["language list"] = {{"0", "English"}, {"1", "Deutsch"}};
        file.sections["Deutsch"] = {{"Slow", "Langsam"}, {"DoubleClick_Scope", std::string(300, 'b')}};
        const auto stored = DialogTexts(-1, file);
        REQUIRE(stored.size() == 6);
        CHECK(stored[0] == std::make_pair(1007, std::string("Double-click speed")));
        CHECK(stored[1] == std::make_pair(1008, std::string(127, 'b')));
        CHECK(stored[2] == std::make_pair(1002, std::string("Langsam")));
        const auto english = DialogTexts(0, file);
        CHECK(english[2].second == "Slow");
        ProfileTable noFile;
        CHECK(DialogTexts(-1, noFile)[5] == std::make_pair(1005, std::string("Large")));
    }
}
