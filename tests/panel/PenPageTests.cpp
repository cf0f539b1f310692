// The pen page of the running panel beside the library form, driven by the
// scripted desk tablet: strokes drawn in the try-here area by the packets,
// "Clean", the tilt dial, a pen-button function chosen in the menu, "Disable
// Pressure", a knob change of the click sensitivity, and Exit's undo.
#include "ChildProcess.h"
#include "PanelUnderTest.h"
#include "ScreenCanvas.h"
#include "ServiceCodes.h"
#include "TryHereDriver.h"
#include "WintabApi.h"
#include "ids_keys.h"
#include "ids_main.h"
#include "ids_pen.h"

#include <doctest/doctest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kValueLabel = 1065;
constexpr int kLightPressure = 150;
constexpr int kHeavyPressure = 1000;

// A horizontal stroke across the area's lower part, clear of the dial.
void StrokeAcross(TryHereDriver& driver, double down, int pressure)
{
    REQUIRE(driver.Stroke(driver.AreaPoint(0.35, down), driver.AreaPoint(0.9, down), pressure));
}

int InkAcross(TryHereDriver& driver, double down) { return TryHereDriver::InkThickness(driver.AreaPoint(0.62, down), 20); }

bool AnyInk(const RECT& rect)
{
    for (COLORREF colour : TryHereDriver::Pixels(rect)) {
        if (TryHereDriver::IsInk(colour))
            return true;
    }
    return false;
}

// The strokes' part of the area (below the dial).
RECT StrokeBand(TryHereDriver& driver)
{
    const POINT topLeft = driver.AreaPoint(0.3, 0.5);
    const POINT bottomRight = driver.AreaPoint(0.95, 0.95);
    return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

// Chooses a function for a pen-button label through its menu.
void ChooseFunction(PanelUnderTest& panel, int labelId, int menuIndex)
{
    const HWND label = panel.Item(labelId);
    REQUIRE(label != nullptr);
    PostMessageA(panel.MainWindow(), WM_COMMAND, MAKEWPARAM(labelId, BN_CLICKED), reinterpret_cast<LPARAM>(label));
    REQUIRE(panel.PickMenuEntry(menuIndex));
}

void ChooseParameter(PanelUnderTest& panel, int index)
{
    const HWND list = panel.Item(IDC_PARAMETER);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    panel.Send(WM_COMMAND, MAKEWPARAM(IDC_PARAMETER, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
}

// A key the knob takes through the panel's message loop; waits until the
// value it shows and the pen block have both changed.
void KnobKey(PanelUnderTest& panel, UINT key)
{
    const std::string shown = PanelUnderTest::WindowText(panel.Item(kValueLabel));
    const std::vector<uint8_t> block(panel.PenBlock(), panel.PenBlock() + sizeof(PENSETTINGS));
    PostMessageA(panel.Item(IDC_KNOB), WM_KEYDOWN, key, 1);
    WaitUntil([&] {
        return PanelUnderTest::WindowText(panel.Item(kValueLabel)) != shown &&
               std::memcmp(panel.PenBlock(), block.data(), block.size()) != 0;
    }, 5000);
}

}  // namespace

TEST_SUITE("pen page")
{
    TEST_CASE("strokes in the try-here area follow the pressure, Clean clears them, the dial follows the tilt")
    {
        PanelUnderTest panel(PanelPartner::LibraryForm);
        TryHereDriver driver(panel);
        REQUIRE(driver.Start());
        const RECT band = StrokeBand(driver);
        const std::vector<COLORREF> background = TryHereDriver::Pixels(band);
        CHECK_FALSE(AnyInk(band));

        StrokeAcross(driver, 0.6, kLightPressure);
        StrokeAcross(driver, 0.85, kHeavyPressure);
        const int light = InkAcross(driver, 0.6);
        const int heavy = InkAcross(driver, 0.85);
        CAPTURE(light);
        CAPTURE(heavy);
        CHECK(light >= 1);
        CHECK(heavy >= light + 4);

        panel.Click(IDC_CLEAN);
        std::vector<COLORREF> cleaned;
        WaitUntil([&] { return (cleaned = TryHereDriver::Pixels(band)) == background; }, 5000);
        CHECK(cleaned == background);

        // The dial's needle points up for a pen leaning towards the top, down
        // for one leaning towards the bottom; the magenta marker stays.
        const RECT area = driver.Area();
        const POINT above{area.left + 20, area.top + 9};
        const POINT below{area.left + 20, area.top + 36};
        for (int i = 0; i < 4; ++i)
            REQUIRE(driver.Report(TryHereDriver::kHover, driver.AreaPoint(0.5 + 0.02 * i, 0.7), 0, 20, 40));
        WaitUntil([&] {
            return TryHereDriver::IsInk(TryHereDriver::ScreenPixel(above)) &&
                   !TryHereDriver::IsInk(TryHereDriver::ScreenPixel(below));
        }, 5000);
        CHECK(TryHereDriver::IsInk(TryHereDriver::ScreenPixel(above)));
        CHECK_FALSE(TryHereDriver::IsInk(TryHereDriver::ScreenPixel(below)));
        for (int i = 0; i < 4; ++i)
            REQUIRE(driver.Report(TryHereDriver::kHover, driver.AreaPoint(0.6 - 0.02 * i, 0.7), 0, 110, 40));
        WaitUntil([&] {
            return !TryHereDriver::IsInk(TryHereDriver::ScreenPixel(above)) &&
                   TryHereDriver::IsInk(TryHereDriver::ScreenPixel(below));
        }, 5000);
        CHECK_FALSE(TryHereDriver::IsInk(TryHereDriver::ScreenPixel(above)));
        CHECK(TryHereDriver::IsInk(TryHereDriver::ScreenPixel(below)));
        CHECK(TryHereDriver::ScreenPixel(POINT{area.left + 20, area.top + 25}) == RGB(255, 0, 255));
        REQUIRE(driver.Report(TryHereDriver::kLeave, driver.AreaPoint(0.5, 0.7), 0));
    }

    TEST_CASE("a pen-button function chosen in the menu is what the service performs on the next press")
    {
        PanelUnderTest panel(PanelPartner::LibraryForm);
        TryHereDriver driver(panel);
        REQUIRE(driver.Start());
        panel.Pen().penButton[0].actionCode = ACTION_KEYSTROKE;
        panel.Pen().penButton[0].data[0] = 'K';

        ChooseFunction(panel, IDC_PEN_BUTTON_FIRST, 4);  // Scroll Up
        CHECK(WaitUntil([&] { return panel.Pen().penButton[0].actionCode == ACTION_SCROLL_UP; }, 3000));
        CHECK(panel.Pen().penButton[0].data[0] == 'K');  // only the code changes
        CHECK(PanelUnderTest::WindowText(panel.Item(IDC_PEN_BUTTON_FIRST)) == "Scroll Up");

        // The service reads the pen block on its next report: the press scrolls.
        ScreenCanvas canvas({WM_MOUSEWHEEL});
        REQUIRE(canvas.Window() != nullptr);
        const POINT at = driver.AreaPoint(0.5, 0.5);
        REQUIRE(driver.Report(TryHereDriver::kHover, at, 0));
        REQUIRE(driver.Report(TryHereDriver::kButton1, at, 0));
        REQUIRE(driver.Report(TryHereDriver::kHover, at, 0));
        REQUIRE(driver.Report(TryHereDriver::kLeave, at, 0));
        canvas.PumpUntil(WM_MOUSEWHEEL, 5000);
        const MSG* wheel = canvas.First(WM_MOUSEWHEEL);
        REQUIRE(wheel != nullptr);
        CHECK(static_cast<short>(HIWORD(wheel->wParam)) == WHEEL_DELTA);
    }

    TEST_CASE("a keystroke turned into a scroll and back keeps its keys, a launch path turned into a click leaves the keyboard empty")
    {
        PanelUnderTest panel(PanelPartner::LibraryForm);
        REQUIRE(panel.StartPartner());
        KEYACTION& keys = panel.Pen().penButton[0];
        keys.actionCode = ACTION_KEYSTROKE;
        keys.data[0] = VK_CONTROL;
        keys.data[1] = 'C';
        KEYACTION& launch = panel.Pen().penButton[1];
        launch.actionCode = ACTION_LAUNCH;
        std::strcpy(launch.data, "C:\\Tools\\paint.exe");
        REQUIRE(panel.StartPanel());
        REQUIRE(panel.WaitForMainWindow() != nullptr);

        // Saved untouched, the keyboard hands back the keys it opened with.
        const auto keyboardAfter = [&](int labelId, int menuIndex, int32_t code, KEYACTION& record) {
            ChooseFunction(panel, labelId, menuIndex);
            REQUIRE(WaitUntil([&] { return record.actionCode == code; }, 3000));
            ChooseFunction(panel, labelId, 6);  // Keyboard
            const HWND keyboard = panel.WaitForPanelWindow("Keyboard");
            REQUIRE(keyboard != nullptr);
            PanelUnderTest::ClickIn(keyboard, IDC_KEYBOARD_SAVE);
            REQUIRE(WaitUntil([&] { return !IsWindow(keyboard); }, 5000));
            CHECK(WaitUntil([&] { return record.actionCode == ACTION_KEYSTROKE; }, 3000));
        };
        keyboardAfter(IDC_PEN_BUTTON_FIRST, 4, ACTION_SCROLL_UP, keys);
        CHECK(keys.data[0] == VK_CONTROL);
        CHECK(keys.data[1] == 'C');
        CHECK(PanelUnderTest::WindowText(panel.Item(IDC_PEN_BUTTON_FIRST)) == "{Ctrl}{C}");

        // A path is no key codes: the keyboard starts empty and hands back none.
        keyboardAfter(IDC_PEN_BUTTON_SECOND, 0, ACTION_LEFT_CLICK, launch);
        CHECK(std::all_of(launch.data, launch.data + 256, [](char b) { return b == 0; }));
        CHECK(PanelUnderTest::WindowText(panel.Item(IDC_PEN_BUTTON_SECOND)).empty());
    }

    TEST_CASE("Disable Pressure and the click sensitivity reach the service at once, and Exit undoes them")
    {
        PanelUnderTest panel(PanelPartner::LibraryForm);
        TryHereDriver driver(panel);
        REQUIRE(driver.Start());
        const RECT band = StrokeBand(driver);

        // With pressure disabled the service writes no packets: nothing is drawn.
        SendMessageA(panel.Item(IDC_DISABLE_PRESSURE), BM_SETCHECK, BST_CHECKED, 0);
        panel.Click(IDC_DISABLE_PRESSURE);
        CHECK(panel.Pen().disablePressure == 1);
        StrokeAcross(driver, 0.7, kHeavyPressure);
        CHECK_FALSE(AnyInk(band));
        SendMessageA(panel.Item(IDC_DISABLE_PRESSURE), BM_SETCHECK, BST_UNCHECKED, 0);
        panel.Click(IDC_DISABLE_PRESSURE);
        CHECK(panel.Pen().disablePressure == 0);

        // The click entry's knob at its top: a light stroke no longer clicks, so nothing is drawn.
        ChooseParameter(panel, 2);
        CHECK(PanelUnderTest::WindowText(panel.Item(kValueLabel)) == "43");
        KnobKey(panel, VK_HOME);
        CHECK(panel.Pen().clickSensitivity == 200);
        CHECK(PanelUnderTest::WindowText(panel.Item(kValueLabel)) == "200");
        StrokeAcross(driver, 0.7, kLightPressure);
        CHECK_FALSE(AnyInk(band));
        // At the bottom the same stroke clicks and draws.
        KnobKey(panel, VK_END);
        CHECK(panel.Pen().clickSensitivity == 0);
        StrokeAcross(driver, 0.7, kLightPressure);
        CHECK(AnyInk(band));

        // Exit puts the pen block back; the service clicks at the old threshold again.
        KnobKey(panel, VK_HOME);
        SendMessageA(panel.Item(IDC_DISABLE_PRESSURE), BM_SETCHECK, BST_CHECKED, 0);
        panel.Click(IDC_DISABLE_PRESSURE);
        panel.Click(IDCANCEL);
        REQUIRE(panel.WaitForPanelExit(10000) != -1);
        CHECK(panel.Pen().clickSensitivity == 43);
        CHECK(panel.Pen().disablePressure == 0);

        // A tablet client of our own keeps the library form injecting the pointer.
        ScreenCanvas canvas({WM_LBUTTONDOWN});
        REQUIRE(canvas.Window() != nullptr);
        wintab::LOGCONTEXTA system{};
        REQUIRE(WTInfoA(wintab::WTI_DEFSYSCTX, 0, &system) != 0);
        wintab::LOGCONTEXTA context = wintab::PanelContextFrom(system);
        context.lcOptions |= wintab::CXO_SYSTEM;
        HCTX client = WTOpenA(canvas.Window(), &context, TRUE);
        REQUIRE(client != nullptr);
        canvas.Pump(200);
        const POINT at = driver.AreaPoint(0.5, 0.5);
        REQUIRE(driver.Report(TryHereDriver::kHover, at, 0));
        REQUIRE(driver.Report(TryHereDriver::kTip, at, kLightPressure));
        REQUIRE(driver.Report(TryHereDriver::kTip, at, kLightPressure));
        REQUIRE(driver.Report(TryHereDriver::kHover, at, 0));
        REQUIRE(driver.Report(TryHereDriver::kLeave, at, 0));
        canvas.PumpUntil(WM_LBUTTONDOWN, 5000);
        canvas.Pump(100);  // a second press would follow at once
        CHECK(canvas.Count(WM_LBUTTONDOWN) == 1);
        WTClose(client);
    }
}
