// The express-key overlay as the user meets it: started with its argument,
// showing the panel on top, the key area's labels drawn half a second later,
// and ended by the service's close message.
#include "ChildProcess.h"
#include "CompanionWindows.h"
#include "FakeService.h"
#include "ServiceCodes.h"
#include "SharedSections.h"
#include "TempFolder.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

namespace {

constexpr const char* OVERLAY_TITLE = "QXKorin3ShowKeyboard2009";
constexpr int PANEL_WIDTH = 895;
constexpr int PANEL_HEIGHT = 637;

KEYACTION& Key(FakeService& service, int k)
{
    return *reinterpret_cast<KEYACTION*>(reinterpret_cast<uint8_t*>(&service.KeyArea()) + KEYAREA_KEYS_OFFSET +
                                         KEYACTION_SIZE * k);
}

// Red pixels of one label row of the overlay at (left, top) on the screen.
int RedInRow(const RECT& overlay, int rowTop, int fromX, int toX)
{
    const RECT row{overlay.left + fromX, overlay.top + rowTop, overlay.left + toX, overlay.top + rowTop + 26};
    return CountScreenPixels(row, IsLabelRed);
}

struct RunningOverlay {
    TempFolder programFiles;
    ChildProcess process;
    HWND window = nullptr;
    RECT place{};

    bool Start(const char* argument)
    {
        if (!process.Start("Keyveil.exe", argument, {"INKBRID_PROGRAM_FILES=" + programFiles.Path()}))
            return false;
        window = FindProcessWindow(process.ProcessId(), nullptr, OVERLAY_TITLE, 10000);
        return window != nullptr && GetWindowRect(window, &place);
    }
};

}  // namespace

TEST_SUITE("express-key overlay")
{
    TEST_CASE("the panel on top at the left edge, labels of the key area after half a second, closed by its message")
    {
        FakeService service(FakeService::Form::Library);
        REQUIRE(service.Start());
        Key(service, 0).actionCode = ACTION_KEYSTROKE;
        std::memcpy(Key(service, 0).data, "\x11\x12\x41", 3);
        Key(service, 1).actionCode = ACTION_RIGHT_CLICK;
        Key(service, 2).actionCode = ACTION_LAUNCH;
        std::strcpy(Key(service, 2).data, "C:\\Tools\\app.exe");
        std::strcpy(Key(service, 2).parameters, "-x");
        Key(service, 3).actionCode = ACTION_STRIP;  // no text: an empty label
        Key(service, 4).actionCode = ACTION_LEFT_CLICK;  // the strip slot: never labelled
        // An unterminated launch path fills its field; its label stops at 255 characters.
        Key(service, 5).actionCode = ACTION_LAUNCH;
        std::memset(Key(service, 5).data, 'W', KEYACTION_DATA_SIZE);
        std::memset(Key(service, 5).parameters, 'W', KEYACTION_PARAM_SIZE);

        RunningOverlay overlay;
        REQUIRE(overlay.Start("ShowKeyboard"));
        CHECK(overlay.place.left == 0);
        CHECK(overlay.place.top == (GetSystemMetrics(SM_CYSCREEN) - PANEL_HEIGHT) / 2);
        CHECK(overlay.place.right - overlay.place.left == PANEL_WIDTH);
        CHECK(overlay.place.bottom - overlay.place.top == PANEL_HEIGHT);
        const LONG_PTR exStyle = GetWindowLongPtrA(overlay.window, GWL_EXSTYLE);
        CHECK((exStyle & WS_EX_TOPMOST) != 0);
        CHECK((exStyle & WS_EX_LAYERED) != 0);
        CHECK((exStyle & WS_EX_TOOLWINDOW) != 0);
        CHECK(IsWindowVisible(overlay.window));

        const int rows[] = {130, 160, 190, 220, 390, 420, 450, 480};
        REQUIRE(WaitUntil([&] { return RedInRow(overlay.place, rows[0], 150, 400) > 40; }, 5000));
        CHECK(RedInRow(overlay.place, rows[1], 150, 400) > 40);
        CHECK(RedInRow(overlay.place, rows[2], 150, 400) > 40);
        CHECK(RedInRow(overlay.place, rows[3], 140, 870) == 0);
        CHECK(RedInRow(overlay.place, 250, 0, PANEL_WIDTH) == 0);  // around the strip slot
        CHECK(RedInRow(overlay.place, rows[4], 150, 870) > 400);    // the long path runs to the edge
        CHECK(RedInRow(overlay.place, rows[7], 150, 400) > 40);     // "Disable"
        CHECK(RedInRow(overlay.place, 0, 0, 140) == 0);             // nothing left of the labels

        // Another close code is answered but changes nothing.
        DWORD_PTR answer = 0;
        REQUIRE(SendMessageTimeoutA(overlay.window, WM_KEYOVERLAY_CLOSE, 1, 0, SMTO_NORMAL, 5000, &answer));
        CHECK(answer == 1);
        CHECK(IsWindow(overlay.window));
        PostMessageA(overlay.window, WM_KEYOVERLAY_CLOSE, 2, 0);
        CHECK(overlay.process.Wait(10000) == 0);
        service.Stop();
    }

    TEST_CASE("a tablet turned by 180 degrees: the turned panel with labels ending at x 750")
    {
        FakeService service(FakeService::Form::Library);
        REQUIRE(service.Start());
        service.KeyArea().record.info.rotationCode = 512;
        for (int k = 0; k < 10; ++k)
            Key(service, k).actionCode = ACTION_SCROLL_UP;

        RunningOverlay overlay;
        REQUIRE(overlay.Start("SHOWKEYBOARD"));
        // Key 0's label is now at the bottom row, right-aligned.
        REQUIRE(WaitUntil([&] { return RedInRow(overlay.place, 480, 560, 752) > 40; }, 5000));
        CHECK(RedInRow(overlay.place, 480, 752, PANEL_WIDTH) == 0);
        CHECK(RedInRow(overlay.place, 480, 140, 500) == 0);
        PostMessageA(overlay.window, WM_KEYOVERLAY_CLOSE, 2, 0);
        CHECK(overlay.process.Wait(10000) == 0);
        service.Stop();
    }

    TEST_CASE("a second start, a wrong argument and no argument end at once without a window")
    {
        RunningOverlay first;
        REQUIRE(first.Start("showkeyboard"));  // no service: the bare panel
        const char* refused[] = {"showkeyboard", "showkeyboard now", "", "show"};
        for (const char* argument : refused) {
            CAPTURE(argument);
            ChildProcess other;
            REQUIRE(other.Start("Keyveil.exe", argument));
            CHECK(other.Wait(10000) == 0);
        }
        CHECK(FindProcessWindow(first.process.ProcessId(), nullptr, OVERLAY_TITLE, 0) == first.window);
        // A right click closes it too.
        MovePointer(first.place.left + 400, first.place.top + 300);
        INPUT click[2] = {};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        SendInput(2, click, sizeof click[0]);
        CHECK(first.process.Wait(10000) == 0);
    }
}
