// language.ini as the panels and the companions read it: lookups through the language list,
// English defaults for anything missing, and hostile files.
#include "LanguageFile.h"
#include "TempFolder.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {

const char* const kTwoLanguages =
    "[language list]\r\n"
    "num=2\r\n"
    "0=English\r\n"
    "1=Deutsch\r\n"
    "[selected]\r\n"
    "language = 1 \r\n"
    "[English]\r\n"
    "Save=Save\r\n"
    "[Deutsch]\r\n"
    "Save=Speichern\r\n"
    "Lience=Zeile eins|Zeile zwei\r\n"
    "[deutsch]\r\n"
    "Save=ignored: the first section of a name wins\r\n";

}  // namespace

TEST_CASE("texts are looked up through the language list, with English defaults")
{
    const LanguageFile file(kTwoLanguages);
    CHECK(file.LanguageCount() == 2);
    CHECK(file.SelectedLanguage() == 1);
    CHECK(file.LanguageName(1) == "Deutsch");
    CHECK(file.Text(1, "Save", "Save") == "Speichern");
    CHECK(file.Text(1, "SAVE", "Save") == "Speichern");  // names without case
    // A key the language lacks takes the built-in text, not the English section's.
    CHECK(file.Text(1, "Exit", "Exit") == "Exit");
    // An index without a list entry reads the "English" section.
    CHECK(file.LanguageName(5) == "English");
    CHECK(file.Text(5, "Save", "built-in") == "Save");
    CHECK(file.AboutText(1, &LanguageFile::IsEastAsianLeadByte) == "Zeile eins\nZeile zwei");
    CHECK(file.AboutText(0, &LanguageFile::IsEastAsianLeadByte).empty());
}

TEST_CASE("a missing, cut or hostile language file gives the English defaults")
{
    SUBCASE("missing")
    {
        const LanguageFile file("");
        CHECK(file.LanguageCount() == 0);
        CHECK(file.SelectedLanguage() == 0);
        CHECK(file.Text(0, "Pen_Setting", "Pen Setting") == "Pen Setting");
    }
    SUBCASE("cut inside a section header and a value")
    {
        const LanguageFile file("[language list]\nnum=3\n0=Eng\n[Eng\nSave=Sp");
        CHECK(file.LanguageCount() == 3);
        CHECK(file.LanguageName(0) == "Eng");
        CHECK(file.Text(0, "Save", "Save") == "Sp");
    }
    SUBCASE("counts at or below zero mean none, huge counts are capped")
    {
        CHECK(LanguageFile("[language list]\nnum=-5\n").LanguageCount() == 0);
        CHECK(LanguageFile("[language list]\nnum=0\n").LanguageCount() == 0);
        CHECK(LanguageFile("[language list]\nnum=99999999999999999999\n").LanguageCount() ==
              LanguageFile::kMaxLanguages);
        CHECK(LanguageFile("[language list]\nnum=x12\n").LanguageCount() == 0);
        CHECK(LanguageFile("[selected]\nlanguage=-99999999999999\n").SelectedLanguage() == INT32_MIN);
    }
    SUBCASE("over-long entries are cut to their buffers")
    {
        const std::string longName(300, 'n');
        const std::string longAbout(5000, 'a');
        const LanguageFile file("[language list]\nnum=1\n0=" + longName + "\n[" + longName.substr(0, 63) +
                                "]\nSave=" + longName + "\nLience=" + longAbout + "\n");
        CHECK(file.LanguageName(0) == longName.substr(0, 63));
        CHECK(file.Text(0, "Save", "Save") == longName.substr(0, 63));
        CHECK(file.Text(0, "NoKey", "", 128).empty());
        CHECK(file.AboutText(0, nullptr).size() == LanguageFile::kAboutBuffer - 1);
    }
    SUBCASE("bytes of every value")
    {
        std::string junk;
        for (int i = 0; i < 256; ++i)
            junk += static_cast<char>(i);
        const LanguageFile file(junk + "\n[language list]\nnum=1\n" + junk);
        CHECK(file.LanguageCount() == 1);
    }
}

TEST_CASE("only single-byte bars become line breaks")
{
    // 0xD7 0x7C is one double-byte character whose second byte is "|".
    std::string text = "a|b\xD7|c|";
    LanguageFile::MakeLineBreaks(text, &LanguageFile::IsEastAsianLeadByte);
    CHECK(text == "a\nb\xD7|c\n");
    std::string ansi = "\xD7|";
    LanguageFile::MakeLineBreaks(ansi, [](unsigned char) { return false; });
    CHECK(ansi == "\xD7\n");
    // A lead byte at the very end has no trail byte to skip past the end.
    std::string cut = "x|\xD7";
    LanguageFile::MakeLineBreaks(cut, &LanguageFile::IsEastAsianLeadByte);
    CHECK(cut == "x\n\xD7");
}

TEST_CASE("a file saved as UTF-16 reads as its ANSI form")
{
    // Latin-1 stands in for the program's code page: what it lacks becomes "?".
    const LanguageFile::WideToAnsi toLatin1 = [](std::u16string_view text) {
        std::string ansi;
        for (char16_t c : text)
            ansi += c <= 0xFF ? static_cast<char>(c) : '?';
        return ansi;
    };
    const std::u16string wide = u"[language list]\r\nnum=1\r\n0=Fran\u00E7ais\r\n[Fran\u00E7ais]\r\n"
                                u"Save=Enregistrer \u00E9t\u00E9 \u4E2D\r\n";
    const std::string ansi = "[language list]\r\nnum=1\r\n0=Fran\xE7" "ais\r\n[Fran\xE7" "ais]\r\n"
                             "Save=Enregistrer \xE9t\xE9 ?\r\n";
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    for (char16_t c : wide) {
        little += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        big += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    }
    CHECK(LanguageFile::ProfileText(little, toLatin1) == ansi);
    CHECK(LanguageFile::ProfileText(big, toLatin1) == ansi);
    CHECK(LanguageFile::ProfileText(little + "[", toLatin1) == ansi);  // half a character is dropped
    CHECK(LanguageFile::ProfileText(ansi, toLatin1) == ansi);
    CHECK(LanguageFile::ProfileText("\xFF", toLatin1) == "\xFF");

    TempFolder folder;
    folder.WriteFile("language.ini", std::vector<uint8_t>(little.begin(), little.end()));
    const LanguageFile file = LanguageFile::Load(folder.PathOf("language.ini"), toLatin1);
    CHECK(file.LanguageName(0) == "Fran\xE7" "ais");
    CHECK(file.Text(0, "Save", "Save") == "Enregistrer \xE9t\xE9 ?");
}
