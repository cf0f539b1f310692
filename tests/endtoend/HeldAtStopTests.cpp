// What a tablet holds down when the service stops comes up with the stop:
// a key held by an express key and the left button held by the pen's tip.
#include "ScriptedReports.h"
#include "ServiceCodes.h"
#include "TabletBench.h"

#include <doctest/doctest.h>

#include <vector>

namespace {

bool Down(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

TEST_SUITE("end to end")
{
    TEST_CASE("a key and the tip held when the service stops come up")
    {
        std::vector<uint8_t> record = DeviceRecordOf(DeskModel());
        KEYACTION& key = RecordKeys(record.data())[1];
        key.actionCode = ACTION_KEYSTROKE;
        key.data[0] = static_cast<char>(VK_LSHIFT);
        TabletBench bench;
        TestPipe* tablet = bench.StartWithTablet(DeskModel(), record);
        REQUIRE(tablet != nullptr);

        for (const std::vector<uint8_t>& report :
             {PenPacket(0xA0, 5103, 3711, 0), PenPacket(0xA1, 5103, 3711, 600), ExpressKeyReport(0x02)}) {
            REQUIRE(tablet->Send(report));
            ReportEcho echo{};
            REQUIRE(bench.NextEcho(echo));
        }
        REQUIRE(WaitUntil([] { return Down(VK_LSHIFT) && Down(VK_LBUTTON); }, 5000));
        CHECK(bench.Stop() == 1);
        CHECK_FALSE(Down(VK_LSHIFT));
        CHECK_FALSE(Down(VK_LBUTTON));
        // Nothing of this test stays down for the tests after it.
        keybd_event(VK_LSHIFT, 0, KEYEVENTF_KEYUP, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
}
