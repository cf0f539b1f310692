// An express key whose action is a keystroke types, through the system's real
// keyboard input, into the edit control that has the focus.
#include "FocusedEdit.h"
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

}  // namespace

TEST_SUITE("end to end")
{
    TEST_CASE("an express key's keystroke arrives in the focused edit control")
    {
        TabletBench bench;
        TestPipe* started = bench.StartWithTablet(DeskModel(), RecordTypingK(DeskModel()));
        REQUIRE(started != nullptr);
        TestPipe& tablet = *started;

        FocusedEdit window;
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
