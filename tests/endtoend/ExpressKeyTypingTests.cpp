// An express key whose action is a keystroke types, through the system's real
// keyboard input, into the edit control that has the focus.
#include "ScreenCanvas.h"
#include "ScriptedReports.h"
#include "ServiceCodes.h"
#include "TabletBench.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {

// The device's settings record: key 0 types "K".
std::vector<uint8_t> RecordTypingK(const TABLETINFO& model)
{
    std::vector<uint8_t> record = DeviceRecordOf(model);
    KEYACTION& key = RecordKeys(record.data())[0];
    key.actionCode = ACTION_KEYSTROKE;
    key.data[0] = 'K';
    return record;
}

class EditWindow {
public:
    EditWindow()
    {
        frame_ = CreateWindowExA(0, "STATIC", "typing", WS_POPUP | WS_VISIBLE, 100, 100, 300, 80, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 280, 24, frame_, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(frame_);
        SetFocus(edit_);
    }
    ~EditWindow() { DestroyWindow(frame_); }

    HWND Edit() const { return edit_; }
    std::string Text() const
    {
        char text[64] = {};
        GetWindowTextA(edit_, text, sizeof text - 1);
        return text;
    }
    void Pump(DWORD ms) const { PumpThreadMessages(ms); }

private:
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
};

}  // namespace

TEST_SUITE("end to end")
{
    TEST_CASE("an express key's keystroke arrives in the focused edit control")
    {
        TabletBench bench;
        TestPipe* started = bench.StartWithTablet(DeskModel(), RecordTypingK(DeskModel()));
        REQUIRE(started != nullptr);
        TestPipe& tablet = *started;

        EditWindow window;
        REQUIRE(window.Edit() != nullptr);
        window.Pump(100);
        REQUIRE(GetFocus() == window.Edit());

        for (uint8_t group1 : {uint8_t{1}, uint8_t{0}}) {
            REQUIRE(tablet.Send(ExpressKeyReport(group1)));
            ReportEcho echo{};
            REQUIRE(bench.NextEcho(echo));
            window.Pump(150);
        }
        CHECK(window.Text() == "k");
        CHECK(bench.Stop() == 1);
    }
}
