// A tablet's read thread in the running service: its reports, its reload
// events and its end when the tablet is unplugged or the service stops.
#include "ServiceCodes.h"
#include "TabletBench.h"

#include <doctest/doctest.h>

#include <cstring>

namespace {

const TABLETINFO MODEL_A = Model(0x7A4B, 0x5A24, 10, 5, 4);
const TABLETINFO MODEL_B = Model(0x7A4B, 0x5A30, 8, 0, 2);

std::vector<uint8_t> KeyReport(size_t length, uint8_t group1)
{
    std::vector<uint8_t> report(length, 0);
    report[0] = 12;
    report[5] = group1;
    return report;
}

// A bench whose tablets are all attached and serving.
struct AttachedBench {
    TabletBench bench;
    std::vector<TestPipe*> tablets;

    bool Start(const std::vector<TABLETINFO>& models)
    {
        bench.WriteSupportedTable(models);
        for (const TABLETINFO& model : models)
            tablets.push_back(&bench.AddInterface(PenInterfaceOf(model)));
        if (!bench.Start())
            return false;
        for (TestPipe* tablet : tablets)
            if (!tablet->WaitConnected(10000))
                return false;
        return bench.WaitForReadThreads(static_cast<int>(models.size()));
    }
};

bool WaitUntilReset(HANDLE event)
{
    return WaitUntil([&] { return WaitForSingleObject(event, 0) == WAIT_TIMEOUT; }, 5000);
}

}  // namespace

TEST_SUITE("read threads")
{
    TEST_CASE("pen and express-key reports reach the sink with the thread's copies")
    {
        AttachedBench attached;
        REQUIRE(attached.Start({MODEL_A}));
        TabletBench& bench = attached.bench;
        TestPipe& tablet = *attached.tablets[0];

        REQUIRE(tablet.Send(PenReport(10, 0x41)));
        ReportEcho echo{};
        REQUIRE(bench.NextEcho(echo));
        CHECK(echo.kind == static_cast<uint32_t>(EchoKind::Pen));
        CHECK(echo.length == 10);
        CHECK(echo.report[9] == 0x41);
        CHECK(echo.vid == MODEL_A.VID);
        CHECK(echo.pid == MODEL_A.PID);
        CHECK(std::memcmp(&echo.mapping, &bench.KeyArea()->record.mapping, sizeof echo.mapping) == 0);

        REQUIRE(tablet.Send(KeyReport(10, 0x01)));
        REQUIRE(bench.NextEcho(echo));
        CHECK(echo.kind == static_cast<uint32_t>(EchoKind::Key));
        CHECK(echo.report[5] == 0x01);
        CHECK(echo.keyCount == 4);
        const KEYACTION* keys = RecordKeys(bench.KeyAreaBytes() + KEYAREA_RECORD_OFFSET);
        for (int index = 0; index < 4; ++index) {
            CAPTURE(index);
            CHECK(echo.keyActions[index] == keys[index].actionCode);
        }
    }

    TEST_CASE("short, long and garbage reports are dropped or passed on, and the tablet keeps reading")
    {
        AttachedBench attached;
        REQUIRE(attached.Start({MODEL_A}));
        TabletBench& bench = attached.bench;
        TestPipe& tablet = *attached.tablets[0];

        REQUIRE(tablet.Send(PenReport(4, 0x11)));
        REQUIRE(tablet.Send(PenReport(14, 0x22)));
        REQUIRE(tablet.Send(PenReport(64, 0x33)));
        REQUIRE(tablet.Send(std::vector<uint8_t>{12}));
        REQUIRE(tablet.Send(PenReport(10, 0x44)));
        ReportEcho echo{};
        REQUIRE(bench.NextEcho(echo));
        CHECK(echo.report[1] == 0x44);

        // Garbage of the right length is the pipeline's to judge; the next report still comes.
        std::vector<uint8_t> garbage = {0xFF, 0x00, 0xC2, 0x80, 0x7F, 0x12, 0xFE, 0x01, 0x99, 0xAB};
        REQUIRE(tablet.Send(garbage));
        REQUIRE(tablet.Send(PenReport(10, 0x55)));
        REQUIRE(bench.NextEcho(echo));
        CHECK(echo.report[0] == 0xFF);
        REQUIRE(bench.NextEcho(echo));
        CHECK(echo.report[1] == 0x55);
        CHECK(bench.TimeCriticalThreads() == 1);
    }

    TEST_CASE("the reload events copy the new mapping block and only the thread's own keys")
    {
        AttachedBench attached;
        REQUIRE(attached.Start({MODEL_A}));
        TabletBench& bench = attached.bench;
        TestPipe& tablet = *attached.tablets[0];
        HANDLE mappingReload = OpenReloadEvent(MODEL_A.VID, MODEL_A.PID, false);
        HANDLE keyReload = OpenReloadEvent(MODEL_A.VID, MODEL_A.PID, true);
        REQUIRE(mappingReload != nullptr);
        REQUIRE(keyReload != nullptr);

        // The panel's mapping page stores a custom area and signals the thread.
        MAPPINGDEF& mapping = bench.KeyArea()->record.mapping;
        mapping.monitorChoice = -2;
        mapping.screenArea = {1000, 2000, 30000, 40000};
        mapping.tabletArea = {10, 20, 5000, 4000};
        SetEvent(mappingReload);
        CHECK(WaitUntilReset(mappingReload));
        REQUIRE(tablet.Send(PenReport(10, 0x01)));
        ReportEcho echo{};
        REQUIRE(bench.NextEcho(echo));
        CHECK(echo.mapping.monitorChoice == -2);
        CHECK(echo.mapping.screenArea.right == 30000);
        CHECK(echo.mapping.tabletArea.bottom == 4000);

        // The key page stores six keys while the thread started with four.
        bench.KeyArea()->record.keyCount = 6;
        KEYACTION* keys = RecordKeys(bench.KeyAreaBytes() + KEYAREA_RECORD_OFFSET);
        for (int index = 0; index < 6; ++index) {
            keys[index].actionCode = ACTION_KEYSTROKE;
            keys[index].data[0] = static_cast<char>(0x41 + index);
        }
        SetEvent(keyReload);
        CHECK(WaitUntilReset(keyReload));
        REQUIRE(tablet.Send(KeyReport(10, 0)));
        REQUIRE(bench.NextEcho(echo));
        CHECK(echo.keyCount == 4);
        for (int index = 0; index < 4; ++index) {
            CAPTURE(index);
            CHECK(echo.keyActions[index] == ACTION_KEYSTROKE);
            CHECK(echo.keyData[index] == 0x41 + index);
        }
        CloseHandle(mappingReload);
        CloseHandle(keyReload);
    }

    TEST_CASE("unplugging a tablet removes it and refills the key area from the remaining one")
    {
        AttachedBench attached;
        REQUIRE(attached.Start({MODEL_A, MODEL_B}));
        TabletBench& bench = attached.bench;
        CHECK(bench.KeyArea()->record.info.PID == MODEL_B.PID);

        attached.tablets[1]->Close();
        ReportEcho echo{};
        REQUIRE(bench.NextEcho(echo));
        CHECK(echo.kind == static_cast<uint32_t>(EchoKind::Removed));
        CHECK(echo.pid == MODEL_B.PID);
        CHECK(bench.WaitForReadThreads(1));
        CHECK(bench.KeyArea()->record.info.PID == MODEL_A.PID);
        CHECK(bench.KeyArea()->record.info.keyCount == 4);
        HANDLE gone = OpenReloadEvent(MODEL_B.VID, MODEL_B.PID, false);
        CHECK(gone == nullptr);

        // The remaining tablet still reports.
        REQUIRE(attached.tablets[0]->Send(PenReport(10, 0x66)));
        REQUIRE(bench.NextEcho(echo));
        CHECK(echo.pid == MODEL_A.PID);

        // Plugged in again, it is found again.
        REQUIRE(bench.Plug(*attached.tablets[1]));
        REQUIRE(bench.SignalDeviceArrival());
        CHECK(bench.WaitForReadThreads(2));
        CHECK(bench.KeyArea()->record.info.PID == MODEL_B.PID);
    }

    TEST_CASE("stopping the service ends the read threads, lets go of what the tablets held and lets them go")
    {
        AttachedBench attached;
        REQUIRE(attached.Start({MODEL_A, MODEL_B}));
        CHECK(attached.bench.Stop() == 1);
        CHECK(attached.tablets[0]->ReleasedByService());
        CHECK(attached.tablets[1]->ReleasedByService());
        // Each thread's end reached the sink, which lets go of what its tablet pressed.
        for (size_t tablet = 0; tablet < attached.tablets.size(); ++tablet) {
            ReportEcho echo{};
            REQUIRE(attached.bench.NextEcho(echo));
            CHECK(echo.kind == static_cast<uint32_t>(EchoKind::Removed));
        }
    }
}
