#include "KeyNames.h"
#include "KeystrokeRecorder.h"

#include <doctest/doctest.h>

#include <algorithm>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// A key-name file as the profile calls read it; counts its reads.
class ProfileTable : public IProfileSource {
public:
    std::map<std::string, std::map<std::string, std::string>> sections;
    mutable int reads = 0;

    std::string ReadString(const char* section, const char* key, const char* fallback, size_t room) const override
    {
        ++reads;
        auto s = sections.find(section);
        if (s == sections.end() || s->second.find(key) == s->second.end())
            return fallback;
        return s->second.at(key).substr(0, room - 1);
    }
};

}  // namespace

TEST_CASE("Key names: every virtual key, built in, from the file, and in the second brand's fixed table")
{
    ProfileTable file;
    KeyNames names(file, kStyloraKeyNames);

    SUBCASE("without a file: the built-in text of the 117 known keys, any other code as its character")
    {
        int known = 0, captions = 0;
        for (int code = 0; code < 256; ++code) {
            CAPTURE(code);
            const uint8_t c = static_cast<uint8_t>(code);
            const char* text = KeyNames::BuiltInText(c, false);
            known += text != nullptr;
            captions += KeyNames::BuiltInText(c, true) != nullptr;
            if (text == nullptr)
                CHECK(names.GetKeyDisplayName(c) == "{" + std::string(1, static_cast<char>(code)) + "}");
            CHECK(names.KeyCaption(c) == (KeyNames::BuiltInText(c, true) ? KeyNames::BuiltInText(c, true) : "#ERR#"));
        }
        CHECK(known == 117);
        CHECK(captions == 120);
        // A handful of names as the user reads them, written out here.
        const std::pair<uint8_t, const char*> shown[] = {
            {8, "{Bspc}"},    {20, "{Caps Lock}"}, {28, "{Covt}"},      {34, "{PgDn}"},  {44, "{Snap}"},
            {92, "{Wnd}"},    {105, "{Num9}"},     {110, "{.}"},        {144, "{NumLock}"}, {165, "{Alt}"},
            {192, "{`}"},     {222, "{'}"},        {226, "{OEM_102}"},  {229, "{PROCESSKEY}"}, {7, "{\x07}"},
        };
        for (const auto& [code, text] : shown)
            CHECK(names.GetKeyDisplayName(code) == text);
        CHECK(names.GetKeyDisplayName(17) == "{Ctrl}");
        CHECK(names.GetKeyDisplayName(160) == "{Shift}");
        CHECK(names.GetKeyDisplayName(220) == "{\\}");
        CHECK(names.GetKeyDisplayName(93) == "{]}");
        CHECK(names.KeyCaption(93) == "VK_APPS");
        CHECK(std::string(KeyNames::KeyConstantName(105, false)) == "VK_NUMPAD9");
        CHECK(std::string(KeyNames::KeyConstantName(123, false)) == "VK_F12");
    }
    SUBCASE("the selected language's section, falling back to English, then to the built-in text")
    {
        file.sections["selected"]["language"] = "1";
        file.sections["language list"]["1"] = "Deutsch";
        file.sections["Deutsch"]["VK_CONTROL"] = "Strg";
        file.sections["English"]["VK_CONTROL"] = "Control";
        CHECK(names.GetKeyDisplayName(17) == "{Strg}");
        CHECK(names.GetKeyDisplayName(18) == "{Alt}");
        // Each code is read under its own key.
        file.sections["Deutsch"]["VK_SNAPSHOT"] = "Druck";
        file.sections["Deutsch"]["VK_OEM_102"] = "<>";
        file.sections["Deutsch"]["VK_NEXT"] = "Bild ab";
        file.sections["Deutsch"]["VK_DECIMAL"] = "Komma";
        CHECK(names.GetKeyDisplayName(44) + names.GetKeyDisplayName(226) + names.GetKeyDisplayName(34) +
                  names.GetKeyDisplayName(110) ==
              "{Druck}{<>}{Bild ab}{Komma}");
        file.sections["language list"].erase("1");
        CHECK(names.GetKeyDisplayName(17) == "{Control}");
        file.sections["English"]["VK_CONTROL"] = std::string(400, 'x');
        CHECK(names.KeyCaption(17).size() == 259);
    }
    SUBCASE("second brand: fixed display names without the file, captions without the keyboard-only keys")
    {
        KeyNames penmira(file, kPenmiraKeyNames);
        CHECK(penmira.GetKeyDisplayName(17) + penmira.GetKeyDisplayName(18) + penmira.GetKeyDisplayName(65) ==
              "{Ctrl}{Alt}A");
        CHECK(penmira.GetKeyDisplayName(160) == "\xA0");
        CHECK(penmira.GetKeyDisplayName(8) == "{Back}");
        CHECK(penmira.GetKeyDisplayName(123) == "{F12}");
        CHECK(file.reads == 0);
        CHECK(penmira.KeyCaption(93) == "#ERR#");
        CHECK(penmira.KeyCaption(243) == "#ERR#");
        CHECK(penmira.KeyCaption(20) == "Caps Lock");
    }
    SUBCASE("a sequence stops at 0 or 255 and never reads past its field")
    {
        const std::vector<uint8_t> unterminated(384, 'A');
        CHECK(names.SequenceText(unterminated.data(), unterminated.size()).size() == 384 * 3);
        const uint8_t keys[] = {17, 65, 255, 66};
        CHECK(names.SequenceText(keys, sizeof keys) == "{Ctrl}{A}");
    }
}

TEST_CASE("Keystroke recorder: up to six keys, the Ctrl+Alt+Del rule, and the caller's buffer")
{
    ProfileTable file;
    KeyNames names(file, kStyloraKeyNames);
    KeystrokeRecorder recorder(names);
    uint8_t buffer[256] = {17, 18, 0};

    recorder.Begin(buffer);
    CHECK(recorder.Count() == 2);
    CHECK(recorder.SequenceText() == "{Ctrl}{Alt}");
    for (uint8_t key : {65, 66, 67, 68})
        CHECK(recorder.Press(key));
    CHECK_FALSE(recorder.Press(69));
    CHECK(recorder.Count() == 6);
    CHECK(recorder.SequenceText() == "{Ctrl}{Alt}{A}{B}{C}{D}");

    recorder.Clean();
    for (uint8_t key : {17, 18, 46})
        recorder.Press(key);
    recorder.Save(buffer);
    const uint8_t expected[] = {17, 16, 27, 0};
    CHECK(std::equal(expected, expected + 4, buffer));
    CHECK(std::all_of(buffer + 3, buffer + 256, [](uint8_t b) { return b == 0; }));

    recorder.Clean();
    recorder.Save(buffer);
    CHECK(std::all_of(buffer, buffer + 256, [](uint8_t b) { return b == 0; }));

    uint8_t full[256];
    std::fill(full, full + 256, 'K');
    recorder.Begin(full);
    CHECK(recorder.Count() == 256);
    CHECK_FALSE(recorder.Press(65));
    full[0] = 255;
    recorder.Begin(full);
    CHECK(recorder.Count() == 0);
    CHECK(recorder.SequenceText().empty());
}
