// Save and Exit of the pen settings against both partners: the library form
// stores the pen block on the save command, the older system's panel writes
// the file itself; the About page saves nothing; Exit undoes unsaved edits.
#include "PanelUnderTest.h"
#include "ServiceCodes.h"
#include "ids_main.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

namespace {

bool HoldsPen(const std::vector<uint8_t>& file, const PENSETTINGS& pen)
{
    return file.size() >= sizeof pen && std::memcmp(file.data(), &pen, sizeof pen) == 0;
}

std::vector<uint8_t> PenBlockBytes(const PanelUnderTest& panel)
{
    return std::vector<uint8_t>(panel.PenBlock(), panel.PenBlock() + 1648);
}

}  // namespace

TEST_CASE("Save on the pen page beside the library form: command 10, and the library stores the pen block")
{
    PanelUnderTest panel(PanelPartner::LibraryForm);
    REQUIRE(panel.StartPartner());
    REQUIRE(panel.StartPanel());
    REQUIRE(panel.WaitForMainWindow() != nullptr);
    REQUIRE(panel.SettlePartner());  // the library's command thread waits for the pulse

    panel.Pen().pressureSensitivity = 150;
    panel.Pen().clickSensitivity = 77;
    panel.Click(IDOK);
    CHECK(WaitUntil([&] { return HoldsPen(panel.ReadSettingsFile("Tablet\\qxpen.ked"), panel.Pen()); }, 5000));
    CHECK(panel.Connection()->command == CMD_SAVE_PEN_SETTINGS);

    SUBCASE("Save with the About page in view does nothing")
    {
        panel.Click(IDC_ABOUT);
        REQUIRE(panel.VisiblePage() != nullptr);
        panel.Connection()->command = 0;
        panel.Pen().pressureSensitivity = 20;
        panel.Click(IDOK);  // handled, and any command written, when it returns
        CHECK(panel.Connection()->command == 0);
        CHECK(reinterpret_cast<const PENSETTINGS*>(panel.ReadSettingsFile("Tablet\\qxpen.ked").data())
                  ->pressureSensitivity == 150);
    }
    SUBCASE("Exit restores the pen block as it was at the last Save")
    {
        const std::vector<uint8_t> saved = PenBlockBytes(panel);
        panel.Pen().pressureSensitivity = 5;
        panel.Pen().penButton[0].actionCode = ACTION_KEYSTROKE;
        std::memset(panel.PenBlock() + 1136, 0x5A, 100);  // the spare slot too
        panel.Click(IDCANCEL);
        REQUIRE(panel.WaitForPanelExit(10000) != -1);
        std::vector<uint8_t> expected = saved;
        CHECK(PenBlockBytes(panel) == expected);
    }
}

TEST_CASE("Save on an older system: the panel writes the pen file itself and sends no command")
{
    PanelUnderTest panel(PanelPartner::ServiceProgramOnXp);
    REQUIRE(panel.StartPartner());
    panel.Pen().penButtonCount = 7;  // Exit gives the copy's count, 2
    const std::vector<uint8_t> atStart = PenBlockBytes(panel);
    REQUIRE(panel.StartPanel());
    REQUIRE(panel.WaitForMainWindow() != nullptr);

    SUBCASE("Save")
    {
        panel.Connection()->command = 0;
        panel.Pen().tiltSensitivity = 33;
        panel.Click(IDOK);
        const std::vector<uint8_t> file = panel.ReadSettingsFile("Tablet\\qxpen.ked");
        CHECK(file.size() == sizeof(PENSETTINGS));
        CHECK(HoldsPen(file, panel.Pen()));
        CHECK(panel.Connection()->command == 0);
    }
    SUBCASE("Exit without a Save undoes every edit since the start")
    {
        panel.Pen().tiltSensitivity = 33;
        panel.Pen().disablePressure = 1;
        panel.Click(IDCANCEL);
        REQUIRE(panel.WaitForPanelExit(10000) != -1);
        std::vector<uint8_t> expected = atStart;
        const int32_t two = 2;
        std::memcpy(expected.data() + offsetof(PENSETTINGS, penButtonCount), &two, sizeof two);
        CHECK(PenBlockBytes(panel) == expected);
    }
    SUBCASE("a missing pen file is not created")
    {
        DeleteFileA(panel.Settings().PathOf("Tablet\\qxpen.ked").c_str());
        panel.Click(IDOK);
        CHECK_FALSE(panel.Settings().Exists("Tablet\\qxpen.ked"));
        CHECK(panel.MainWindow() != nullptr);
        CHECK(IsWindow(panel.MainWindow()));
    }
}
