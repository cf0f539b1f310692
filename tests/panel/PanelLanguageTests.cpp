// The language change through the main window's system menu: which ids open
// the language dialog, and what choosing another language rewrites (nothing,
// for a language the file cannot name).
#include "LibraryHostBench.h"
#include "PanelUnderTest.h"
#include "ScriptedReports.h"
#include "TempFolder.h"
#include "ids_main.h"
#include "ids_mapping.h"

#include <doctest/doctest.h>

#include <string>

namespace {

const char* const kLanguages =
    "[language list]\r\n"
    "num=2\r\n"
    "0=English\r\n"
    "1=Deutsch\r\n"
    "[selected]\r\n"
    "language=0\r\n"
    "[English]\r\n"
    "Lience=First line|Second line\r\n"
    "[Deutsch]\r\n"
    "Pen_Setting=Stift\r\n"
    "Save=Speichern\r\n"
    "Exit=Beenden\r\n"
    "Lience=Erste Zeile|Zweite Zeile\r\n";

HWND OpenLanguageDialog(PanelUnderTest& panel, WPARAM id)
{
    PostMessageA(panel.MainWindow(), WM_SYSCOMMAND, id, 0);
    return panel.WaitForPanelWindow("Language", 3000);
}

std::wstring ListText(HWND list, int index)
{
    wchar_t text[256] = {};
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

TEST_CASE("the language item and ids up to 31 open the language dialog, and choosing one rewrites the captions")
{
    PanelUnderTest panel(PanelPartner::LibraryForm);
    panel.WriteSettingsFile("Tablet\\language.ini", kLanguages);
    REQUIRE(panel.StartPartner());
    REQUIRE(panel.StartPanel());
    REQUIRE(panel.WaitForMainWindow() != nullptr);
    panel.Click(IDC_ABOUT);
    const HWND about = panel.VisiblePage();
    REQUIRE(about != nullptr);
    CHECK(PanelUnderTest::WindowText(GetDlgItem(about, IDC_ABOUT_TEXT)) == "First line\nSecond line");

    SUBCASE("id 32 is the system's, not the language dialog's")
    {
        CHECK(OpenLanguageDialog(panel, 32) == nullptr);
    }
    SUBCASE("id 31 opens it; Cancel changes nothing")
    {
        const HWND dialog = OpenLanguageDialog(panel, 31);
        REQUIRE(dialog != nullptr);
        PanelUnderTest::ClickIn(dialog, IDCANCEL);
        CHECK(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000));
        CHECK(panel.ItemText(IDOK) == "Save");
    }
    SUBCASE("id 16 opens it with the languages listed; a second language rewrites captions and the file")
    {
        const HWND dialog = OpenLanguageDialog(panel, 16);
        REQUIRE(dialog != nullptr);
        const HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
        REQUIRE(SendMessageA(list, LB_GETCOUNT, 0, 0) == 2);
        CHECK(ListText(list, 1) == L"Deutsch");
        CHECK(SendMessageA(list, LB_GETSEL, 0, 0) > 0);

        SendMessageA(list, LB_SETSEL, FALSE, -1);
        SendMessageA(list, LB_SETSEL, TRUE, 1);
        PanelUnderTest::ClickIn(dialog, IDOK);
        CHECK(WaitUntil([&] { return panel.ItemText(IDOK) == "Speichern"; }, 3000));
        CHECK(panel.ItemText(IDC_PEN_SETTING) == "Stift");
        CHECK(panel.ItemText(IDC_ABOUT) == "About");  // missing in the section: the built-in text
        CHECK(PanelUnderTest::WindowText(GetDlgItem(about, IDC_ABOUT_TEXT)) == "Erste Zeile\nZweite Zeile");
        const std::vector<uint8_t> file = panel.ReadSettingsFile("Tablet\\language.ini");
        const std::string text(file.begin(), file.end());
        CHECK(text.find("language=1") != std::string::npos);
    }
    SUBCASE("Select with nothing chosen keeps the dialog open")
    {
        const HWND dialog = OpenLanguageDialog(panel, 16);
        REQUIRE(dialog != nullptr);
        SendMessageA(GetDlgItem(dialog, IDC_LANGUAGE_LIST), LB_SETSEL, FALSE, -1);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        const HWND message = panel.WaitForPanelWindow("Stylora", 3000);
        REQUIRE(message != nullptr);
        // Modal to the language dialog, which waits behind it.
        CHECK(GetWindow(message, GW_OWNER) == dialog);
        CHECK_FALSE(IsWindowEnabled(dialog));
        PostMessageA(message, WM_COMMAND, IDOK, 0);
        CHECK(WaitUntil([&] { return !IsWindow(message); }, 3000));
        CHECK(IsWindowVisible(dialog));
        PanelUnderTest::ClickIn(dialog, IDCANCEL);
    }
}

TEST_CASE("a language whose list entry reads as nothing changes no text")
{
    PanelUnderTest panel(PanelPartner::LibraryForm);
    panel.WriteSettingsFile("Tablet\\language.ini",
                            "[language list]\r\nnum=3\r\n0=English\r\n1=Deutsch\r\n2=\r\n"
                            "[selected]\r\nlanguage=1\r\n"
                            "[Deutsch]\r\nSave=Speichern\r\nSelectMonitor=Monitorwahl\r\n");
    panel.Host()->WriteSupportedTable({DeskModel()});
    SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", "7A4B:1001");
    REQUIRE(panel.StartPartner());
    REQUIRE(panel.StartPanel());
    SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", nullptr);
    REQUIRE(panel.WaitForMainWindow() != nullptr);
    panel.Click(IDC_MAPPING);
    const HWND mapping = panel.VisiblePage();
    REQUIRE(mapping != nullptr);
    REQUIRE(panel.ItemText(IDOK) == "Speichern");
    REQUIRE(PanelUnderTest::WindowText(GetDlgItem(mapping, IDC_SELECT_MONITOR)) == "Monitorwahl");

    const HWND dialog = OpenLanguageDialog(panel, 16);
    REQUIRE(dialog != nullptr);
    const HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    SendMessageA(list, LB_SETSEL, TRUE, 2);
    PanelUnderTest::ClickIn(dialog, IDOK);
    CHECK(WaitUntil([&] { return !IsWindow(dialog); }, 3000));
    panel.Send(WM_NULL);  // the language change has been handled
    CHECK(panel.ItemText(IDOK) == "Speichern");
    CHECK(PanelUnderTest::WindowText(GetDlgItem(mapping, IDC_SELECT_MONITOR)) == "Monitorwahl");
}
