// The running service when another party stops answering: a client that
// took the ring lock and never gives it back, and a read thread held up in
// its work when the service is told to stop.
#include "ObjectNames.h"
#include "ScriptedReports.h"
#include "ServiceCodes.h"
#include "ServiceCommander.h"
#include "TabletBench.h"
#include "TestThread.h"

#include <doctest/doctest.h>

#include <cstdlib>

namespace {

bool PointerNear(POINT wanted)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    return std::abs(cursor.x - wanted.x) <= 1 && std::abs(cursor.y - wanted.y) <= 1;
}

}  // namespace

TEST_SUITE("stuck peers")
{
    TEST_CASE("a client that never gives the ring lock back costs a packet, not the pen")
    {
        TabletBench bench;
        TestPipe* tablet = bench.StartWithTablet(DeskModel(), DeviceRecordOf(DeskModel()));
        REQUIRE(tablet != nullptr);
        ServiceCommander commander;
        REQUIRE(commander.Open(true));
        MessageSink client;
        REQUIRE(commander.Ping(5000));  // the command loop serves its event
        ConnectionSection* connection = commander.Connection();
        connection->readIndex = 3;
        connection->writeIndex = 3;
        commander.SetContext(7, client.Window(), CTX_STATUS_ON_TOP, CTX_OPTION_PACKET_MESSAGES);
        REQUIRE(commander.Send(CMD_ADD_CONTEXT));
        REQUIRE(WaitUntil([&] { return connection->writeIndex == 0; }, 5000));

        // Taken, and never set again by this test.
        HANDLE lock = OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, objnames::RING_LOCK);
        REQUIRE(lock != nullptr);
        REQUIRE(WaitForSingleObject(lock, 5000) == WAIT_OBJECT_0);

        // Reports are still taken and the pointer still follows the pen.
        REQUIRE(tablet->Send(PenPacket(0xA0, 3000, 2000, 0)));
        ReportEcho echo{};
        REQUIRE(bench.NextEcho(echo));
        CHECK(WaitUntil([&] { return PointerNear(DeskPixelOf(3000, 2000)); }, 5000));
        for (int step = 1; step <= 3; ++step) {
            REQUIRE(tablet->Send(PenPacket(0xA0, 3000 + 500 * step, 2000, 0)));
            REQUIRE(bench.NextEcho(echo));
        }
        CHECK(WaitUntil([&] { return PointerNear(DeskPixelOf(4500, 2000)); }, 5000));
        // The service gave up on the lost holder and packets flow into the ring again.
        CHECK(WaitUntil([&] { return connection->writeIndex > 0; }, 5000));
        CHECK(client.WaitFor(WT_PACKET, 3000));

        CHECK(bench.Stop() == 1);
        CloseHandle(lock);
    }

    TEST_CASE("a read thread still busy when the stop wait runs out is waited for, not torn down under")
    {
        TabletBench bench;
        TestPipe* tablet = bench.StartWithTablet(DeskModel(), DeviceRecordOf(DeskModel()));
        REQUIRE(tablet != nullptr);
        // Echoes nobody takes fill the echo pipe: the read thread waits to hand on a report.
        for (int report = 0; report < 30; ++report)
            REQUIRE(tablet->Send(PenPacket(0xA0, 3000 + 10 * report, 2000, 0)));
        // Nothing shows the read thread stuck on the full echo pipe: give it the time to get there.
        Sleep(500);

        const HANDLE process = bench.Service().Child().Process();
        int code = -3;
        TestThread stopper([&] { code = bench.Stop(); });
        // Well past the service's five-second wait it is still there, waiting.
        CHECK(WaitForSingleObject(process, 7000) == WAIT_TIMEOUT);
        // Once the echoes are taken the thread sees the stop and the service ends.
        ReportEcho echo{};
        for (int taken = 0; taken < 100 && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; ++taken)
            bench.NextEcho(echo, 200);
        stopper.Join();
        CHECK(code == 1);
    }
}
