#include "OverlayLabels.h"
#include "ServiceCodes.h"
#include "SharedSections.h"

#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace overlay;

namespace {

// A key area of the library form's size with the given rotation.
struct KeyArea {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(KEYAREA_SIZE_LIBRARY, 0);

    explicit KeyArea(int32_t rotationCode = 0)
    {
        std::memcpy(bytes.data() + KEYAREA_ROTATION_OFFSET, &rotationCode, sizeof rotationCode);
    }
    KEYACTION& Key(int k) { return *reinterpret_cast<KEYACTION*>(bytes.data() + KEYAREA_KEYS_OFFSET + 516 * k); }
    void Keystroke(int k, std::vector<uint8_t> codes)
    {
        Key(k).actionCode = ACTION_KEYSTROKE;
        std::memcpy(Key(k).data, codes.data(), codes.size());
    }
    void Launch(int k, const char* path, const char* parameters)
    {
        Key(k).actionCode = ACTION_LAUNCH;
        std::strcpy(Key(k).data, path);
        std::strcpy(Key(k).parameters, parameters);
    }
    std::vector<Label> Labels(const LanguageFile& language) { return BuildLabels(bytes.data(), bytes.size(), language); }
};

std::string TextOf(const std::vector<Label>& labels, int key)
{
    for (const Label& label : labels) {
        if (label.key == key)
            return label.text;
    }
    return "<none>";
}

}  // namespace

TEST_SUITE("express-key overlay")
{
    TEST_CASE("labels of every kind of action, the strip slots never labelled")
    {
        KeyArea area;
        area.Keystroke(0, {17, 18, 65, 0});
        area.Keystroke(1, {162, 0, 66});
        area.Launch(2, "C:\\Tools\\app.exe", "-x");
        area.Key(3).actionCode = ACTION_STRIP;
        area.Keystroke(4, {65, 0});
        area.Key(5).actionCode = ACTION_RIGHT_CLICK;
        area.Key(6).actionCode = 0x130C;
        area.Launch(7, "C:\\100%\\run.exe", "%s%n");
        area.Keystroke(8, {16, 164, 112, 123, 200, 255, 65});
        area.Key(9).actionCode = ACTION_LEFT_CLICK;
        const LanguageFile noFile;
        const std::vector<Label> labels = area.Labels(noFile);

        CHECK(labels.size() == 8);
        CHECK(TextOf(labels, 0) == "{Ctrl}{Alt}A");
        // The service's default keystrokes use the left-hand modifier codes.
        CHECK(TextOf(labels, 1) == "{Ctrl}");
        CHECK(TextOf(labels, 2) == "C:\\Tools\\app.exe -x");
        CHECK(TextOf(labels, 3) == "");
        CHECK(TextOf(labels, 4) == "<none>");
        CHECK(TextOf(labels, 5) == "Right Key");
        CHECK(TextOf(labels, 6) == "Res...");
        CHECK(TextOf(labels, 7) == "C:\\100%\\run.exe %s%n");
        // A code without a name shows as its character; 255 ends the list.
        CHECK(TextOf(labels, 8) == std::string("{Shift}{Alt}{F1}{F12}") + char(200));
        CHECK(TextOf(labels, 9) == "<none>");
    }

    TEST_CASE("positions of the two layouts")
    {
        const LanguageFile noFile;
        KeyArea plain(256);
        KeyArea turned(ROTATION_TURNED);
        const int rowsA[] = {130, 160, 190, 220, 390, 420, 450, 480};
        const int rowsB[] = {480, 450, 420, 390, 220, 190, 160, 130};
        const std::vector<Label> a = plain.Labels(noFile);
        const std::vector<Label> b = turned.Labels(noFile);
        REQUIRE(a.size() == 8);
        REQUIRE(b.size() == 8);
        for (size_t i = 0; i < 8; ++i) {
            CAPTURE(i);
            CHECK(a[i].place.x == 150);
            CHECK(a[i].place.y == rowsA[i]);
            CHECK_FALSE(a[i].place.rightAligned);
            CHECK(b[i].place.x == 750);
            CHECK(b[i].place.y == rowsB[i]);
            CHECK(b[i].place.rightAligned);
        }
        CHECK(RightAlignedLeft(750, 10, 11) == 640);
        CHECK(BackgroundBitmapId(true, ROTATION_TURNED) == BITMAP_PANEL_RIGHT);
        CHECK(BackgroundBitmapId(false, ROTATION_TURNED) == BITMAP_PANEL_LEFT);
        CHECK(BackgroundBitmapId(true, 768) == BITMAP_PANEL_LEFT);
    }

    TEST_CASE("action texts come from the selected language, else the built-in ones")
    {
        KeyArea area;
        area.Key(0).actionCode = ACTION_RIGHT_CLICK;
        area.Key(1).actionCode = ACTION_SCROLL_DOWN;
        area.Key(2).actionCode = 77;  // no text for this code
        const std::string chosen = "[selected]\nlanguage=1\n[language list]\n1=Deutsch\n";
        std::vector<Label> labels = area.Labels(LanguageFile(chosen + "[Deutsch]\nMenu_Right=Rechte Taste\n"));
        CHECK(TextOf(labels, 0) == "Rechte Taste");
        CHECK(TextOf(labels, 1) == "Scroll Down");
        CHECK(TextOf(labels, 2) == "");
        CHECK(TextOf(labels, 3) == "Disable");

        // Texts are read into 64-byte buffers.
        const LanguageFile longText(chosen + "[Deutsch]\nMenu_Right=" + std::string(100, 'r') + "\n");
        CHECK(TextOf(area.Labels(longText), 0) == std::string(63, 'r'));

        // A selected language without a name gives empty labels.
        labels = area.Labels(LanguageFile("[selected]\nlanguage=1\n[language list]\n1=\n"));
        CHECK(TextOf(labels, 0) == "");
        CHECK(TextOf(labels, 3) == "");
    }

    TEST_CASE("unterminated and over-long texts give labels of at most 255 characters")
    {
        KeyArea area;
        area.Key(0).actionCode = ACTION_LAUNCH;
        std::memset(area.Key(0).data, 'p', KEYACTION_DATA_SIZE);
        std::memset(area.Key(0).parameters, 'q', KEYACTION_PARAM_SIZE);
        area.Launch(1, std::string(200, 'p').c_str(), "");
        std::memset(area.Key(1).parameters, 'q', KEYACTION_PARAM_SIZE);
        area.Key(2).actionCode = ACTION_KEYSTROKE;
        std::memset(area.Key(2).data, 112, KEYACTION_DATA_SIZE);  // {F1} over and over, no end
        area.Keystroke(3, std::vector<uint8_t>(300, 'k'));
        const LanguageFile noFile;
        const std::vector<Label> labels = area.Labels(noFile);

        CHECK(TextOf(labels, 0) == std::string(255, 'p'));
        CHECK(TextOf(labels, 1) == std::string(200, 'p') + " " + std::string(54, 'q'));
        // Whole names only.
        CHECK(TextOf(labels, 2).size() == 252);
        CHECK(TextOf(labels, 2).substr(248) == "{F1}");
        CHECK(TextOf(labels, 3) == std::string(255, 'k'));
    }

    TEST_CASE("a key area smaller than its layout labels only the keys it holds")
    {
        KeyArea area(ROTATION_TURNED);
        for (int k = 0; k < 10; ++k)
            area.Key(k).actionCode = ACTION_MIDDLE_CLICK;
        const LanguageFile noFile;
        const std::vector<Label> three = BuildLabels(area.bytes.data(), KEYAREA_KEYS_OFFSET + 516 * 3, noFile);
        REQUIRE(three.size() == 3);
        CHECK(three[2].text == "Middle Key");
        CHECK(three[2].place.rightAligned);
        // Too small for the rotation code: the plain layout, no labels.
        CHECK(BuildLabels(area.bytes.data(), 99, noFile).empty());
        CHECK(KeyAreaRotation(area.bytes.data(), 99) == 0);
        CHECK(BuildLabels(nullptr, 0, noFile).empty());
    }
}
