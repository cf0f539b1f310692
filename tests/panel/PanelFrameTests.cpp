// The panel's main window against its partners: it opens, it ends at once
// without a partner or as a second copy, its pages come and go beside the
// page buttons (never under a dialog a page runs), and it shows the pen's id.
#include "LibraryHostBench.h"
#include "PanelUnderTest.h"
#include "ScriptedReports.h"
#include "ServiceCodes.h"
#include "ids_keys.h"
#include "ids_main.h"
#include "ids_mapping.h"

#include <doctest/doctest.h>

#include <cstring>

namespace {

// Runs a panel to its end, noting whether it ever showed a window.
struct SilentRun {
    int exitCode = -1;
    bool showedWindow = false;
};

SilentRun RunUntilEnd(PanelUnderTest& panel, ChildProcess& process)
{
    SilentRun run;
    for (int waited = 0; waited < 15000; waited += 20) {
        run.showedWindow = run.showedWindow || !panel.PanelWindows().empty();
        run.exitCode = process.Wait(20);
        if (run.exitCode != -1)
            break;
    }
    return run;
}

RECT RectOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// Answers a message box of the panel and waits until it has gone.
bool Answer(HWND box)
{
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return WaitUntil([&] { return !IsWindow(box); }, 3000);
}

// Waits until the panel has taken what was posted to it before: a selection
// posted to the main window's parameter list comes out behind it.
bool Drained(const PanelUnderTest& panel)
{
    const HWND list = panel.Item(IDC_PARAMETER);
    const LRESULT next = SendMessageA(list, CB_GETCURSEL, 0, 0) == 1 ? 0 : 1;
    PostMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(next), 0);
    return WaitUntil([&] { return IsWindow(list) && SendMessageA(list, CB_GETCURSEL, 0, 0) == next; }, 5000);
}

}  // namespace

TEST_CASE("the panel opens only beside a running partner, and only once")
{
    PanelUnderTest panel(PanelPartner::LibraryForm);

    SUBCASE("without the library form it ends at once and shows no window")
    {
        REQUIRE(panel.StartPanel());
        const SilentRun run = RunUntilEnd(panel, panel.Panel());
        CHECK(run.exitCode != -1);
        CHECK_FALSE(run.showedWindow);
    }
    SUBCASE("beside the library form it opens its main window; a second copy ends at once")
    {
        REQUIRE(panel.StartPartner());
        REQUIRE(panel.StartPanel());
        REQUIRE(panel.WaitForMainWindow() != nullptr);
        CHECK(panel.ItemText(IDC_PEN_SETTING) == "Pen Setting");
        CHECK(panel.ItemText(IDCANCEL) == "Exit");
        CHECK(panel.ItemEnabled(IDC_KEY_SETTING));

        ChildProcess second;
        REQUIRE(second.Start(PanelUnderTest::kProgram, "", {"INKBRID_PROGRAM_FILES=" + panel.Settings().Path()}));
        CHECK(second.Wait(10000) != -1);
        CHECK(panel.PanelWindows().size() == 1);
    }
}

TEST_CASE("beside the service program on an older system the panel opens the global sections")
{
    PanelUnderTest panel(PanelPartner::ServiceProgramOnXp);
    REQUIRE(panel.StartPartner());
    REQUIRE(panel.StartPanel());
    REQUIRE(panel.WaitForMainWindow() != nullptr);
    CHECK(panel.ItemText(IDOK) == "Save");
}

TEST_CASE("pages: About is made anew each time, Mapping is kept, and pages stay glued beside the buttons")
{
    PanelUnderTest panel(PanelPartner::LibraryForm);
    // A tablet is plugged in: without one the mapping page ends at once.
    panel.Host()->WriteSupportedTable({DeskModel()});
    SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", "7A4B:1001");
    REQUIRE(panel.StartPartner());
    REQUIRE(panel.StartPanel());
    SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", nullptr);
    REQUIRE(panel.WaitForMainWindow() != nullptr);
    CHECK(panel.VisiblePage() == nullptr);

    panel.Click(IDC_ABOUT);
    const HWND firstAbout = panel.VisiblePage();
    REQUIRE(firstAbout != nullptr);
    const RECT button = RectOf(panel.Item(IDC_PEN_SETTING));
    const RECT main = RectOf(panel.MainWindow());
    RECT page = RectOf(firstAbout);
    CHECK(page.left == button.right + 4);
    CHECK(page.top == button.top - 1);
    CHECK(page.right == main.right - 2);
    CHECK(page.bottom == main.bottom - 4);

    panel.Click(IDC_ABOUT);
    const HWND secondAbout = panel.VisiblePage();
    REQUIRE(secondAbout != nullptr);
    CHECK(secondAbout != firstAbout);
    CHECK_FALSE(IsWindow(firstAbout));

    // The dialog moves; the page follows at its size.
    SetWindowPos(panel.MainWindow(), nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT movedButton = RectOf(panel.Item(IDC_PEN_SETTING));
    CHECK(WaitUntil([&] { return RectOf(secondAbout).left == movedButton.right + 4; }, 3000));
    const RECT movedPage = RectOf(secondAbout);
    CHECK(movedPage.top == movedButton.top - 1);
    CHECK(movedPage.right - movedPage.left == page.right - page.left);
    CHECK(movedPage.bottom - movedPage.top == page.bottom - page.top);

    panel.Click(IDC_MAPPING);
    const HWND mapping = panel.VisiblePage();
    REQUIRE(mapping != nullptr);
    CHECK_FALSE(IsWindow(secondAbout));
    panel.Click(IDC_MAPPING);
    CHECK(panel.VisiblePage() == mapping);

    panel.Click(IDC_PEN_SETTING);
    CHECK(panel.VisiblePage() == nullptr);
    CHECK_FALSE(IsWindow(mapping));
}

TEST_CASE("the pen's id: from the pen block, from the service's message, and none for the plain models")
{
    PanelUnderTest panel(PanelPartner::LibraryForm);
    REQUIRE(panel.StartPartner());

    SUBCASE("a tablet with keys")
    {
        panel.Pen().serialNibble = 0xA;
        const uint8_t serial[4] = {0x12, 0x34, 0x56, 0x78};
        std::memcpy(panel.Pen().serialBytes, serial, sizeof serial);
        REQUIRE(panel.StartPanel());
        REQUIRE(panel.WaitForMainWindow() != nullptr);
        CHECK(panel.ItemText(IDC_PEN_ID) == "ID: A12345678");
        CHECK(panel.Send(WM_PEN_TOOL_ID, 0x70005, 1) == 1);
        CHECK(panel.ItemText(IDC_PEN_ID) == "ID: 500000001");
        CHECK(panel.ItemEnabled(IDC_KEY_SETTING));
    }
    SUBCASE("a plain model in the key area")
    {
        const uint16_t plainModel = 0x5A21;
        std::memcpy(panel.KeyArea() + 6, &plainModel, sizeof plainModel);
        REQUIRE(panel.StartPanel());
        REQUIRE(panel.WaitForMainWindow() != nullptr);
        CHECK_FALSE(panel.ItemEnabled(IDC_KEY_SETTING));
        CHECK(panel.ItemText(IDC_PEN_ID).empty());
        panel.Send(WM_PEN_TOOL_ID, 5, 1);
        CHECK(panel.ItemText(IDC_PEN_ID).empty());
    }
}

TEST_CASE("Key Setting without a tablet: no tablet, then no keys, and the page in view stays")
{
    PanelUnderTest panel(PanelPartner::LibraryForm);
    REQUIRE(panel.StartPartner());
    REQUIRE(panel.StartPanel());
    REQUIRE(panel.WaitForMainWindow() != nullptr);
    panel.Click(IDC_ABOUT);
    const HWND about = panel.VisiblePage();
    REQUIRE(about != nullptr);

    PostMessageA(panel.MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_KEY_SETTING, BN_CLICKED),
                 reinterpret_cast<LPARAM>(panel.Item(IDC_KEY_SETTING)));
    // The page's own box, titled by the program and modal to the main window.
    const HWND noTablet = panel.WaitForPanelWindow("Stylora");
    REQUIRE(noTablet != nullptr);
    CHECK_FALSE(IsWindowEnabled(panel.MainWindow()));
    REQUIRE(Answer(noTablet));

    const HWND noKeys = panel.WaitForPanelWindow("Morvex");
    REQUIRE(noKeys != nullptr);
    REQUIRE(Answer(noKeys));
    CHECK(panel.VisiblePage() == about);
    CHECK(IsWindowEnabled(panel.MainWindow()));
}

TEST_CASE("a tablet interface that refuses the context leaves the panel open with a dead try-here area")
{
    PanelUnderTest panel(PanelPartner::LibraryForm);
    panel.UsePanelCopy("refused_context\\Stylora.exe");
    REQUIRE(panel.StartPartner());
    REQUIRE(panel.StartPanel());
    REQUIRE(panel.WaitForMainWindow() != nullptr);
    // A stroke in the area finds no context to read: nothing happens, the panel stays.
    RECT area{};
    GetWindowRect(panel.Item(IDC_TRY_HERE), &area);
    POINT inside{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    ScreenToClient(panel.MainWindow(), &inside);
    const LPARAM at = MAKELPARAM(inside.x, inside.y);
    panel.Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
    panel.Send(WM_MOUSEMOVE, MK_LBUTTON, at);
    panel.Send(WM_LBUTTONUP, 0, at);
    CHECK(panel.WaitForPanelExit(300) == -1);
    panel.Click(IDCANCEL);
    CHECK(panel.WaitForPanelExit(10000) != -1);
}

TEST_CASE("a page change or a close that comes while a page's dialog runs waits until that dialog has ended")
{
    PanelUnderTest panel(PanelPartner::LibraryForm);
    panel.Host()->WriteSupportedTable({DeskModel()});
    panel.AddPanelEnvironment("INKBRID_TEST_USB_IDS=7A4B:1001");
    REQUIRE(panel.StartPartner());
    REQUIRE(panel.StartPanel());
    REQUIRE(panel.WaitForMainWindow() != nullptr);
    panel.Click(IDC_KEY_SETTING);
    const HWND keys = panel.VisiblePage();
    REQUIRE(keys != nullptr);

    // The keyboard of a key's function menu is up when "Mapping" comes.
    PostMessageA(keys, WM_COMMAND, 8192, 0);
    REQUIRE(panel.PickMenuEntry(6));
    const HWND keyboard = panel.WaitForPanelWindow("Keyboard");
    REQUIRE(keyboard != nullptr);
    PostMessageA(panel.MainWindow(), WM_COMMAND, IDC_MAPPING, reinterpret_cast<LPARAM>(panel.Item(IDC_MAPPING)));
    REQUIRE(Drained(panel));
    CHECK(IsWindowVisible(keys));
    PanelUnderTest::ClickIn(keyboard, IDC_KEYBOARD_CLEAN);
    CHECK_FALSE(IsWindowEnabled(GetDlgItem(keyboard, IDC_KEYBOARD_SAVE)));
    PanelUnderTest::ClickIn(keyboard, IDC_KEYBOARD_SAVE);
    HWND mapping = nullptr;
    REQUIRE(WaitUntil([&] { return !IsWindow(keys) && (mapping = panel.VisiblePage()) != nullptr; }, 5000));

    // The calibration window is up when the panel is asked to close.
    PostMessageA(mapping, WM_COMMAND, IDC_CALIBRATE, 0);
    const HWND calibration = panel.WaitForPanelWindow("QXCalibrate20090410Window");
    REQUIRE(calibration != nullptr);
    PostMessageA(panel.MainWindow(), WM_CLOSE, 0, 0);
    REQUIRE(Drained(panel));
    REQUIRE(Drained(panel));  // and the Exit the close posts
    CHECK(IsWindowVisible(mapping));
    PostMessageA(calibration, WM_COMMAND, IDCANCEL, 0);
    CHECK(panel.WaitForPanelExit(10000) == 0);
}
