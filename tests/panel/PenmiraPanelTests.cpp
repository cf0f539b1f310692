// The second brand's panel against both of its partners: its main dialog's
// size and page buttons by language, its pages and their backgrounds, and
// its pen-button labels with and without a connected tablet.
#include "PanelUnderTest.h"
#include "TabletBench.h"
#include "ScriptedReports.h"
#include "LibraryHostBench.h"
#include "ids_main.h"
#include "ids_mapping.h"
#include "ServiceCodes.h"
#include "TabletRecordBuilder.h"

#include <doctest/doctest.h>

#include <string>

namespace {

constexpr int kFirstPenButtonLabel = 8192;
constexpr int kSecondPenButtonLabel = 8193;

SIZE SizeOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT ClientRectIn(HWND dialog, HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Visible(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// The background's colour in the page-button column, below the page buttons:
// each page's picture marks it in its own colour.
COLORREF ColumnMark(HWND dialog)
{
    RECT client{};
    GetClientRect(dialog, &client);
    const int x = client.right * 204 / 1000 - 2;
    HDC dc = GetDC(dialog);
    const COLORREF colour = GetPixel(dc, x, client.bottom / 2);
    ReleaseDC(dialog, dc);
    return colour;
}

// The second brand's page colours in its backgrounds.
constexpr COLORREF kPenMark = RGB(47, 164, 169);
constexpr COLORREF kMappingMark = RGB(92, 107, 137);
constexpr COLORREF kAboutMark = RGB(104, 70, 132);

// Whether the dialog comes to show the background marked `colour`.
bool ShowsBackground(HWND dialog, COLORREF colour)
{
    return WaitUntil([&] { return ColumnMark(dialog) == colour; }, 3000);
}

void WriteLanguageFile(PanelUnderTest& panel, int selected)
{
    panel.WriteSettingsFile("Tablet\\language.ini",
                            "[language list]\r\nnum=5\r\n0=English\r\n1=English\r\n2=English\r\n3=English\r\n"
                            "4=English\r\n[selected]\r\nlanguage=" + std::to_string(selected) + "\r\n");
}

}  // namespace

TEST_SUITE("second brand panel")
{
    TEST_CASE("the second brand opens beside both partners, grows for language 0 and shows each page")
    {
        const PanelPartner partners[] = {PanelPartner::LibraryForm, PanelPartner::ServiceProgramOnXp};
        for (PanelPartner partner : partners) {
            CAPTURE(static_cast<int>(partner));
            PanelUnderTest panel(partner, PanelBrandUnderTest::Penmira);
            // A tablet is plugged in: without one the mapping page ends at once.
            if (panel.Host() != nullptr)
                panel.Host()->WriteSupportedTable({DeskModel()});
            else
                panel.Bench()->WriteSupportedTable({DeskModel()});
            panel.AddPanelEnvironment("INKBRID_TEST_USB_IDS=7A4B:1001");
            REQUIRE(panel.StartPartner());
            REQUIRE(panel.StartPanel());
            HWND dialog = panel.WaitForMainWindow();
            REQUIRE(dialog != nullptr);

            CHECK(SizeOf(dialog).cx == 663);
            CHECK(SizeOf(dialog).cy == 597);
            const int buttons[] = {IDC_PEN_SETTING, IDC_MAPPING, IDC_ABOUT};
            const int tops[] = {2, 59, 116};
            for (int i = 0; i < 3; ++i) {
                const RECT place = ClientRectIn(dialog, panel.Item(buttons[i]));
                CHECK(place.left == 0);
                CHECK(place.top == tops[i]);
                CHECK(place.right - place.left == 134);
                CHECK(place.bottom - place.top == 54);
            }
            CHECK_FALSE(Visible(panel.Item(IDC_KEY_SETTING)));
            CHECK_FALSE(Visible(panel.Item(IDC_PEN_ID)));
            CHECK(ShowsBackground(dialog, kPenMark));

            panel.Click(IDC_MAPPING);
            HWND mapping = panel.VisiblePage();
            CHECK(mapping != nullptr);
            CHECK(ShowsBackground(dialog, kMappingMark));
            // About has the second brand's page state 2 and background 138.
            panel.Click(IDC_ABOUT);
            HWND about = panel.VisiblePage();
            CHECK(about != nullptr);
            CHECK(about != mapping);
            CHECK(ShowsBackground(dialog, kAboutMark));
            panel.Click(IDC_PEN_SETTING);
            CHECK(panel.VisiblePage() == nullptr);
            CHECK(ShowsBackground(dialog, kPenMark));
        }
    }

    TEST_CASE("languages 3 and 4 keep the template's size and page buttons")
    {
        for (int language : {3, 4}) {
            CAPTURE(language);
            PanelUnderTest panel(PanelPartner::LibraryForm, PanelBrandUnderTest::Penmira);
            WriteLanguageFile(panel, language);
            REQUIRE(panel.StartPartner());
            REQUIRE(panel.StartPanel());
            HWND dialog = panel.WaitForMainWindow();
            REQUIRE(dialog != nullptr);
            const SIZE size = SizeOf(dialog);
            CHECK_FALSE((size.cx == 663 && size.cy == 597));
            // The page buttons and Save share the template's width.
            const RECT pen = ClientRectIn(dialog, panel.Item(IDC_PEN_SETTING));
            const RECT save = ClientRectIn(dialog, panel.Item(IDOK));
            CHECK(pen.right - pen.left == save.right - save.left);
        }
    }

    TEST_CASE("pen-button labels follow the connected tablet: one button edits the second record, none disables both")
    {
        struct Case {
            const char* name;
            bool tabletConnected;
        };
        for (const Case& c : {Case{"one connected tablet", true}, Case{"no tablet", false}}) {
            CAPTURE(std::string(c.name));
            PanelUnderTest panel(PanelPartner::LibraryForm, PanelBrandUnderTest::Penmira);
            if (c.tabletConnected) {
                const TABLETINFO tablet = TabletRecordBuilder(0x7A4B, 0x5A22).Model();
                panel.WriteSettingsFile("Tablet\\StyloraInfo.ked", &tablet, sizeof tablet);
                panel.AddPanelEnvironment("INKBRID_TEST_USB_IDS=7A4B:5A22");
            }
            REQUIRE(panel.StartPartner());
            panel.Pen().penButton[0].actionCode = ACTION_LEFT_CLICK;
            panel.Pen().penButton[1].actionCode = ACTION_RIGHT_CLICK;
            REQUIRE(panel.StartPanel());
            HWND dialog = panel.WaitForMainWindow();
            REQUIRE(dialog != nullptr);
            HWND first = panel.Item(kFirstPenButtonLabel);
            HWND second = panel.Item(kSecondPenButtonLabel);
            REQUIRE(first != nullptr);
            REQUIRE(second != nullptr);
            CHECK_FALSE(panel.ItemEnabled(kFirstPenButtonLabel));
            CHECK(panel.ItemEnabled(kSecondPenButtonLabel) == c.tabletConnected);
            const RECT lower = ClientRectIn(dialog, c.tabletConnected ? second : first);
            CHECK(lower.top == 435);
            if (c.tabletConnected) {
                CHECK(panel.ItemText(kSecondPenButtonLabel) == "Right Key");
            }
        }
    }
    TEST_CASE("the mapping page lays its controls out for the language when shown and when the language changes")
    {
        PanelUnderTest panel(PanelPartner::LibraryForm, PanelBrandUnderTest::Penmira);
        panel.Host()->WriteSupportedTable({DeskModel()});
        panel.AddPanelEnvironment("INKBRID_TEST_USB_IDS=7A4B:1001");
        WriteLanguageFile(panel, 0);
        REQUIRE(panel.StartPartner());
        REQUIRE(panel.StartPanel());
        REQUIRE(panel.WaitForMainWindow() != nullptr);
        panel.Click(IDC_MAPPING);
        const HWND page = panel.VisiblePage();
        REQUIRE(page != nullptr);
        const HWND label = GetDlgItem(page, IDC_TABLET_ID_LABEL);
        const auto placedAt = [&](LONG x, LONG y, LONG width) {
            const RECT place = ClientRectIn(page, label);
            return place.left == x && place.top == y && place.right - place.left == width;
        };
        CHECK(placedAt(27, 432, 122));

        PostMessageA(panel.MainWindow(), WM_SYSCOMMAND, 16, 0);
        const HWND dialog = panel.WaitForPanelWindow("Language", 3000);
        REQUIRE(dialog != nullptr);
        const HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        SendMessageA(list, LB_SETSEL, TRUE, 4);
        PanelUnderTest::ClickIn(dialog, IDOK);
        CHECK(WaitUntil([&] { return placedAt(14, 437, 187); }, 3000));
    }
}
