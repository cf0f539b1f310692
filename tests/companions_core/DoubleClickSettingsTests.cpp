#include "DoubleClickSettings.h"

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

    TEST_CASE("the dialog's texts in the stored or the given language, built in where missing")
    {
        const LanguageFile file("[selected]\nlanguage=1\n[language list]\n0=English\n1=Deutsch\n"
                                "[Deutsch]\nSlow=Langsam\nDoubleClick_Scope=" + std::string(300, 'b') + "\n");
        const auto stored = DialogTexts(-1, file);
        REQUIRE(stored.size() == 6);
        CHECK(stored[0] == std::make_pair(1007, std::string("Double-click speed")));
        CHECK(stored[1] == std::make_pair(1008, std::string(127, 'b')));
        CHECK(stored[2] == std::make_pair(1002, std::string("Langsam")));
        const auto english = DialogTexts(0, file);
        CHECK(english[2].second == "Slow");
        const LanguageFile noFile;
        CHECK(DialogTexts(-1, noFile)[5] == std::make_pair(1005, std::string("Large")));
    }
}
