// The language dialogs' list: the names language.ini lists and the entries
// they are shown as.
#include "LanguageFile.h"
#include "LanguageListEntry.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

TEST_CASE("the language list: names with their suffixes, a damaged count bounded")
{
    using language_list::AnsiEntry;
    const std::string list = "[language list]\nnum=3\n0=English\n1=Chinese Simple\n2=Chinese trad\n";
    const std::vector<std::string> names = LanguageFile(list).LanguageNames();
    REQUIRE(names.size() == 3);
    CHECK(AnsiEntry(names[1], 4, 2) == "Chinese Simple(\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4)");
    CHECK(AnsiEntry(names[1], 9, 1) == "Chinese Simple");
    CHECK(AnsiEntry(names[1], 4, 1) == "Chinese Simple");
    CHECK(AnsiEntry(names[2], 9, 1) == "Chinese trad(Big5)");
    CHECK(AnsiEntry("chinese trad", 9, 1) == "chinese trad");

    const std::vector<std::string> many = LanguageFile("[language list]\nnum=2000000000\n").LanguageNames();
    CHECK(many.size() == LanguageFile::kMaxLanguages);
    CHECK(many.back() == "English");  // missing names default to English
    CHECK(LanguageFile("[language list]\nnum=-4\n0=English\n").LanguageNames().empty());
    CHECK(LanguageFile("").LanguageNames().empty());
}
