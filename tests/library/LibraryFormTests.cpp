// Inkbrid.dll as a host drives it: the three exports in order, the sections
// and named events seen from this process, commands through the named
// command event, searches on the sync event, and the virtual output device.
#include "DebugStringCapture.h"
#include "LibraryHostBench.h"
#include "ObjectAccessList.h"
#include "ObjectNames.h"
#include "PenReportBuilder.h"
#include "ServiceCodes.h"
#include "ServiceCommander.h"
#include "TabletRecordBuilder.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

namespace {

const TABLETINFO MODEL_PLAIN = Model(0x7A4B, 0x5A22, 10, 0, 2);
const TABLETINFO MODEL_RIGHT_CLICK_FIRST = Model(0x7A4B, 0x6B12, 10, 0, 2);

template <typename Condition> bool Eventually(Condition condition) { return WaitUntil(condition, 5000); }

bool NamedSectionExists(const std::string& name)
{
    HANDLE section = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
    if (section != nullptr)
        CloseHandle(section);
    return section != nullptr;
}

bool NamedEventExists(const char* name)
{
    HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, name);
    if (event != nullptr)
        CloseHandle(event);
    return event != nullptr;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void Send(TestPipe& tablet, const RawPenReport& report)
{
    REQUIRE(tablet.Send(std::vector<uint8_t>(report.bytes, report.bytes + report.length)));
}

// The echo of the next report the library's read threads handed on.
bool NextEcho(TestPipe& echo)
{
    std::vector<uint8_t> message;
    return echo.Receive(message, 5000) && message.size() == sizeof(ReportEcho);
}

// The next virtual pen report the library wrote to its output device.
std::vector<uint8_t> NextVirtualReport(TestPipe& output)
{
    std::vector<uint8_t> report;
    REQUIRE(output.Receive(report, 5000));
    REQUIRE(report.size() == 19);
    return report;
}

uint16_t Word(const std::vector<uint8_t>& report, size_t at)
{
    return static_cast<uint16_t>(report[at] | (report[at + 1] << 8));
}

// User and kernel time a process has used, in milliseconds.
uint64_t CpuMilliseconds(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    FILETIME created, exited, kernel, user;
    const bool known = process != nullptr && GetProcessTimes(process, &created, &exited, &kernel, &user);
    if (process != nullptr)
        CloseHandle(process);
    if (!known)
        return 0;
    auto ticks = [](const FILETIME& time) { return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
    return (ticks(kernel) + ticks(user)) / 10000;
}

// A device record of the plain model as the panel would have saved it.
std::vector<uint8_t> StoredRecord(int32_t tabletRight)
{
    return TabletRecordBuilder(MODEL_PLAIN)
        .Monitors(1)
        .ScreenArea({0, 0, 0xFFFF, 0xFFFF})
        .TabletArea({0, 0, tabletRight, MODEL_PLAIN.yMax})
        .Bytes();
}


// The host with the virtual output device and one plain tablet whose pen has
// been identified and is past the first touch's wait; no tablet when the host
// did not start or the tablet was not opened.
struct PenOnVirtualOutput {
    TestPipe* output = nullptr;
    TestPipe* tablet = nullptr;
    TestPipe* echo = nullptr;
};

PenOnVirtualOutput StartPenOnVirtualOutput(LibraryHostBench& bench, DWORD outputBuffer = 4096)
{
    bench.WriteSupportedTable({MODEL_PLAIN});
    PenOnVirtualOutput run;
    run.output = &bench.AddVirtualOutputDevice(outputBuffer);
    run.echo = &bench.AddEchoPipe();
    TestPipe& tablet = bench.AddInterface(PenInterfaceOf(MODEL_PLAIN));
    if (!bench.Start() || !tablet.WaitConnected(10000))
        return run;
    Send(tablet, penreport::Tool(0x802));
    if (!NextEcho(*run.echo))
        return run;
    // Past the first touch's wait, which the library times from the identification itself.
    Sleep(250);
    run.tablet = &tablet;
    return run;
}

}  // namespace

TEST_SUITE("library form")
{
    TEST_CASE("the three exports: debug lines, unprefixed objects, and an exit that ends the threads and the sections")
    {
        DebugStringCapture debug;
        REQUIRE(debug.IsListening());
        LibraryHostBench bench;
        bench.WriteSupportedTable({MODEL_PLAIN});
        TestPipe& output = bench.AddVirtualOutputDevice();
        TestPipe& tablet = bench.AddInterface(PenInterfaceOf(MODEL_PLAIN));
        REQUIRE(bench.Start());
        CHECK(Contains(bench.Output(), "init 1\n"));
        const DWORD host = bench.ProcessId();

        REQUIRE(tablet.WaitConnected(10000));
        REQUIRE(output.WaitConnected(0));
        REQUIRE(debug.WaitFor(host, "instance = 2, found = 1\n", 1, 5000));
        const std::vector<std::string> expected = {"InitRZVirtualHIDDev\n", "start service\n",
                                                   "Success ServiceThread in StartDevService\n", "FindDevices\n"};
        std::vector<std::string> lines;
        for (const std::string& line : debug.Lines(host))
            if (line.rfind("i ", 0) != 0 && line.rfind("HidAttributes", 0) != 0 && line.rfind("instance", 0) != 0)
                lines.push_back(line);
        CHECK(lines == expected);

        REQUIRE(bench.OpenSections());
        CHECK(bench.KeyArea()->processId == static_cast<int32_t>(host));
        CHECK(bench.Pen()->processId == static_cast<int32_t>(host));
        CHECK(bench.Connection()->processId == static_cast<int32_t>(host));
        CHECK(bench.KeyArea()->record.info.PID == MODEL_PLAIN.PID);
        CHECK(bench.Pen()->pen.penButton[0].actionCode == ACTION_DOUBLE_CLICK);
        CHECK(bench.Pen()->pen.penButton[1].actionCode == ACTION_RIGHT_CLICK);
        CHECK_FALSE(NamedSectionExists(std::string(objnames::GLOBAL_PREFIX) + objnames::CONNECTION_SECTION));
        CHECK(NamedEventExists(objnames::COMMAND_EVENT));
        CHECK(NamedEventExists(objnames::SYNC_EVENT));
        // Only the ring lock and the mutex keep their prefix.
        CHECK(NamedEventExists(objnames::RING_LOCK));
        HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, objnames::PHOTOSHOP_SYNC_MUTEX);
        CHECK(mutex != nullptr);
        if (mutex != nullptr)
            CloseHandle(mutex);

        bench.CloseSections();
        REQUIRE(bench.Exit());
        const std::string report = bench.Output();
        CHECK(Contains(report, "exit 1\n"));
        CHECK(Contains(report, "stop event closed 1\n"));
        int threads = -1, baseline = -2;
        REQUIRE(std::sscanf(report.c_str() + report.find("threads "), "threads %d of %d", &threads, &baseline) == 2);
        CHECK(threads == baseline);
        CHECK(tablet.ReleasedByService());
        CHECK(output.ReleasedByService());
        for (const char* section : {objnames::KEY_AREA_SECTION, objnames::CONNECTION_SECTION, objnames::PEN_SECTION})
            CHECK_FALSE(NamedSectionExists(section));
        CHECK_FALSE(NamedEventExists(objnames::COMMAND_EVENT));
        CHECK(bench.Unload() == 0);
    }

    TEST_CASE("commands through the named command event: contexts, saves and reloading the device record")
    {
        LibraryHostBench bench;
        bench.WriteSupportedTable({MODEL_PLAIN});
        // Settings files exist (as installed), so saves have somewhere to go.
        bench.WriteSettingsFile("Tablet\\qxpen.ked", "", 0);
        bench.WriteSettingsFile("Tablet\\StyloraFind.ked", "", 0);
        bench.AddVirtualOutputDevice();
        TestPipe& tablet = bench.AddInterface(PenInterfaceOf(MODEL_PLAIN));
        REQUIRE(bench.Start());
        REQUIRE(tablet.WaitConnected(10000));
        REQUIRE(bench.OpenSections());
        ServiceCommander commander;
        REQUIRE(commander.Open(false, true));
        REQUIRE(commander.Ping(5000));  // the command thread serves its event

        SUBCASE("a context added behind others is greeted once it comes on top")
        {
            MessageSink sink;
            commander.SetContext(7, sink.Window(), CTX_STATUS_OBSCURED);
            REQUIRE(commander.Send(CMD_ADD_CONTEXT));
            CHECK(sink.CountFor(WT_PROXIMITY, 200) == 0);
            commander.SetContext(7, sink.Window(), CTX_STATUS_ON_TOP);
            REQUIRE(commander.Send(CMD_CONTEXT_OVERLAP));
            WPARAM id = 0;
            LPARAM enter = 0;
            REQUIRE(sink.WaitFor(WT_PROXIMITY, 5000, &id, &enter));
            CHECK(id == 7);
            CHECK(enter == PROXIMITY_ENTER);
        }
        SUBCASE("the pen settings and the keys are saved from the sections")
        {
            bench.Pen()->pen.pressureSensitivity = 150;
            REQUIRE(commander.Send(CMD_SAVE_PEN_SETTINGS));
            CHECK(Eventually([&] { return bench.Settings().ReadFile("Tablet\\qxpen.ked").size() == sizeof(PENSETTINGS); }));
            const std::vector<uint8_t> pen = bench.Settings().ReadFile("Tablet\\qxpen.ked");
            REQUIRE(pen.size() == sizeof(PENSETTINGS));
            CHECK(std::memcmp(pen.data(), &bench.Pen()->pen, sizeof(PENSETTINGS)) == 0);

            bench.Keys()[1].actionCode = ACTION_SCROLL_UP;
            REQUIRE(commander.Send(CMD_SAVE_KEYS));
            const size_t recordSize = TabletRecordSize(MODEL_PLAIN.keyCount);
            CHECK(Eventually([&] { return bench.Settings().ReadFile("Tablet\\StyloraFind.ked").size() == recordSize; }));
            const std::vector<uint8_t> keys = bench.Settings().ReadFile("Tablet\\StyloraFind.ked");
            REQUIRE(keys.size() == recordSize);
            CHECK(RecordKeys(keys.data())[1].actionCode == ACTION_SCROLL_UP);
        }
        SUBCASE("command 18 reloads the key area's record from the device file")
        {
            const std::vector<uint8_t> stored = StoredRecord(3000);
            bench.WriteSettingsFile("Tablet\\StyloraFind.ked", stored.data(), stored.size());
            CHECK(bench.KeyArea()->record.mapping.tabletArea.right != 3000);
            REQUIRE(commander.Send(CMD_RELOAD_DEVICE_RECORD));
            CHECK(Eventually([&] { return bench.KeyArea()->record.mapping.tabletArea.right == 3000; }));
            CHECK(bench.KeyArea()->record.info.PID == MODEL_PLAIN.PID);
        }
        bench.CloseSections();
    }

    TEST_CASE("the sync event searches again, and after a 0x6B12 tablet a later tablet keeps right click on button 1")
    {
        DebugStringCapture debug;
        LibraryHostBench bench;
        bench.WriteSupportedTable({MODEL_RIGHT_CLICK_FIRST, MODEL_PLAIN});
        bench.AddVirtualOutputDevice();
        TestPipe& first = bench.AddInterface(PenInterfaceOf(MODEL_RIGHT_CLICK_FIRST), false);
        TestPipe& later = bench.AddInterface(PenInterfaceOf(MODEL_PLAIN), false);
        REQUIRE(bench.Start());
        const DWORD host = bench.ProcessId();
        REQUIRE(bench.OpenSections());
        CHECK(bench.Pen()->pen.penButton[0].actionCode == ACTION_DOUBLE_CLICK);
        HANDLE sync = OpenEventA(EVENT_MODIFY_STATE, FALSE, objnames::SYNC_EVENT);
        REQUIRE(sync != nullptr);

        REQUIRE(first.Create());
        SetEvent(sync);
        REQUIRE(first.WaitConnected(5000));
        CHECK(Eventually([&] { return bench.Pen()->pen.penButton[0].actionCode == ACTION_RIGHT_CLICK; }));
        CHECK(bench.KeyArea()->record.info.PID == MODEL_RIGHT_CLICK_FIRST.PID);
        CHECK(bench.Pen()->pen.penButton[1].actionCode == ACTION_DOUBLE_CLICK);

        // Unplugged, then another model arrives.
        first.Close();
        REQUIRE(later.Create());
        SetEvent(sync);
        REQUIRE(later.WaitConnected(5000));
        REQUIRE(Eventually([&] { return bench.KeyArea()->record.info.PID == MODEL_PLAIN.PID; }));
        ServiceCommander commander;
        REQUIRE(commander.Open(false, true));
        REQUIRE(commander.Ping(5000));  // taken once the search and its pen-button defaults are over
        CHECK(bench.Pen()->pen.penButton[0].actionCode == ACTION_RIGHT_CLICK);
        CHECK(bench.Pen()->pen.penButton[1].actionCode == ACTION_DOUBLE_CLICK);

        // One search at start and one per signal, though the event was set, not pulsed.
        if (debug.IsListening()) {
            CHECK(debug.WaitFor(host, "FindDevices\n", 3, 5000));
            CHECK(debug.Count(host, "FindDevices\n") == 3);
        }
        CloseHandle(sync);
        bench.CloseSections();
    }

    TEST_CASE("with no client window the pen goes out through the virtual output device")
    {
        LibraryHostBench bench;
        const PenOnVirtualOutput run = StartPenOnVirtualOutput(bench);
        REQUIRE(run.tablet != nullptr);
        TestPipe& output = *run.output;
        TestPipe& tablet = *run.tablet;
        const uint16_t middleX = static_cast<uint16_t>(MODEL_PLAIN.xMax / 2);
        const uint16_t middleY = static_cast<uint16_t>(MODEL_PLAIN.yMax / 2);
        Send(tablet, penreport::Pen(penreport::HOVER, middleX, middleY, 0));
        std::vector<uint8_t> hover = NextVirtualReport(output);
        CHECK(hover[0] == 3);
        CHECK(hover[1] == 1);
        CHECK(hover[2] == 0xA0);
        CHECK(Word(hover, 3) > 0x3000);
        CHECK(Word(hover, 3) < 0x5000);
        CHECK(Word(hover, 5) > 0x3000);
        CHECK(Word(hover, 5) < 0x5000);
        CHECK(Word(hover, 7) == 0);
        CHECK(std::vector<uint8_t>(hover.begin() + 9, hover.end()) == std::vector<uint8_t>(10, 0));

        // A new tool's first three pressed packets carry no pressure.
        for (int debounced = 0; debounced < 3; ++debounced) {
            Send(tablet, penreport::Pen(0xA1, middleX, middleY, 1000));
            std::vector<uint8_t> quiet = NextVirtualReport(output);
            CHECK(quiet[2] == 0xA0);
            CHECK(Word(quiet, 7) == 0);
        }
        Send(tablet, penreport::Pen(0xA1, middleX, middleY, 1000));
        std::vector<uint8_t> touch = NextVirtualReport(output);
        CHECK(touch[2] == 0xA1);
        CHECK(Word(touch, 7) > 0);

        Send(tablet, penreport::Pen(penreport::HOVER, middleX, middleY, 0));
        std::vector<uint8_t> lift = NextVirtualReport(output);
        CHECK(lift[2] == 0xA0);
        CHECK(Word(lift, 7) == 0);

        Send(tablet, penreport::Leave());
        std::vector<uint8_t> away = NextVirtualReport(output);
        CHECK(away[2] == 0x80);
    }

    TEST_CASE("a command event set instead of pulsed runs its command once and the thread goes idle")
    {
        LibraryHostBench bench;
        bench.WriteSupportedTable({MODEL_PLAIN});
        bench.AddVirtualOutputDevice();
        REQUIRE(bench.Start());
        REQUIRE(bench.OpenSections());
        ServiceCommander commander;
        REQUIRE(commander.Open(false, true));
        REQUIRE(commander.Ping(5000));  // the command thread serves its event

        MessageSink sink;
        ConnectionSection* connection = bench.Connection();
        connection->readIndex = 5;
        connection->writeIndex = 9;
        commander.SetContext(7, sink.Window(), 0);
        commander.Raise(CMD_ADD_CONTEXT);
        REQUIRE(Eventually([&] { return connection->readIndex == 0 && connection->writeIndex == 0; }));

        // Every further run of the command would empty the ring again.
        connection->readIndex = 5;
        connection->writeIndex = 9;
        const uint64_t before = CpuMilliseconds(bench.ProcessId());
        Sleep(500);  // a span of time: what is measured is that nothing happens in it
        const uint64_t used = CpuMilliseconds(bench.ProcessId()) - before;
        CHECK(connection->readIndex == 5);
        CHECK(connection->writeIndex == 9);
        CHECK(used < 150);
        bench.CloseSections();
    }

    TEST_CASE("a virtual output device that takes its time holds up no pen report, and exit waits out its writes")
    {
        LibraryHostBench bench;
        // Room for three reports, and nobody reads them for now.
        const PenOnVirtualOutput run = StartPenOnVirtualOutput(bench, 64);
        REQUIRE(run.tablet != nullptr);
        TestPipe& output = *run.output;
        TestPipe& tablet = *run.tablet;
        const uint16_t middleY = static_cast<uint16_t>(MODEL_PLAIN.yMax / 2);
        auto sendHovers = [&](int count) {
            for (int i = 0; i < count; ++i)
                Send(tablet, penreport::Pen(penreport::HOVER, static_cast<uint16_t>(1000 + 500 * i), middleY, 0));
            for (int i = 0; i < count; ++i)
                REQUIRE(NextEcho(*run.echo));
            // Nothing shows the last report's own write: giving up the oldest
            // one takes at most the writer's 50 ms cancel wait.
            Sleep(200);
        };
        auto receiveAll = [&]() {
            std::vector<uint16_t> xs;
            std::vector<uint8_t> report;
            while (output.Receive(report, 300)) {
                REQUIRE(report.size() == 19);
                CHECK(report[0] == 3);  // whole reports, never a reused or freed buffer
                CHECK(report[2] == 0xA0);
                xs.push_back(Word(report, 3));
            }
            return xs;
        };

        // Three fit the device; four more stay in flight while it takes its
        // time; the last two give up the two oldest of those.
        sendHovers(9);
        const std::vector<uint16_t> xs = receiveAll();
        REQUIRE(xs.size() == 7);
        for (size_t i = 1; i < xs.size(); ++i)
            CHECK(xs[i] > xs[i - 1]);
        const int step = xs[1] - xs[0];
        CHECK(xs[3] - xs[2] > 2 * step);  // reports 4 and 5 were given up
        CHECK(xs[6] - xs[3] < 4 * step);  // 6 to 9 arrived

        // Writes still in flight when the host exits end before the library
        // lets go of them: cancelled, none turns up afterwards.
        sendHovers(7);
        REQUIRE(bench.Exit());
        CHECK(Contains(bench.Output(), "exit 1\n"));
        CHECK(bench.Unload() == 0);
        CHECK(receiveAll().size() == 3);
    }
}

TEST_SUITE("library form")
{
    TEST_CASE("an exit that a read thread outlives keeps the library, and no new start resets its sections")
    {
        LibraryHostBench bench;
        const PenOnVirtualOutput run = StartPenOnVirtualOutput(bench);
        REQUIRE(run.tablet != nullptr);
        REQUIRE(bench.OpenSections());
        bench.Connection()->readIndex = bench.Connection()->writeIndex = 5;
        // Echoes nobody takes fill the echo pipe: the read thread waits to hand on a report.
        for (int report = 0; report < 30; ++report)
            Send(*run.tablet, penreport::Pen(penreport::HOVER, 1000, 1000, 0));
        // Nothing shows the read thread stuck on the full pipe: give it the time to get there.
        Sleep(500);

        REQUIRE(bench.Exit());
        CHECK(Contains(bench.Output(), "exit 0\n"));
        CHECK(Contains(bench.Output(), "init again 0\n"));
        CHECK(bench.Connection()->writeIndex == 5);
        bench.CloseSections();
        // Once the echoes are taken the thread ends, and the host's next exit lets the library go.
        std::vector<uint8_t> message;
        while (run.echo->Receive(message, 500)) {
        }
        CHECK(bench.Unload() == 0);
    }

    TEST_CASE("an unplugged tablet's lift and leave reach a virtual output device that takes its time")
    {
        LibraryHostBench bench;
        // Room for three reports, and nobody reads them until the tablet's thread is gone.
        const PenOnVirtualOutput run = StartPenOnVirtualOutput(bench, 64);
        REQUIRE(run.tablet != nullptr);
        TestPipe& output = *run.output;
        TestPipe& tablet = *run.tablet;
        const uint16_t middleX = static_cast<uint16_t>(MODEL_PLAIN.xMax / 2);
        const uint16_t middleY = static_cast<uint16_t>(MODEL_PLAIN.yMax / 2);
        Send(tablet, penreport::Pen(penreport::HOVER, middleX, middleY, 0));
        for (int packet = 0; packet < 4; ++packet)  // the last one past the new tool's quiet packets
            Send(tablet, penreport::Pen(0xA1, middleX, middleY, 1000));
        for (int report = 0; report < 5; ++report)
            REQUIRE(NextEcho(*run.echo));
        tablet.Close();
        REQUIRE(NextEcho(*run.echo));  // the removal
        // Nothing shows the read thread writing the lift and the leave after
        // the removal: they go out at once, and the device takes none yet.
        Sleep(200);

        std::vector<std::vector<uint8_t>> arrived;
        std::vector<uint8_t> report;
        while (output.Receive(report, 500))
            arrived.push_back(report);
        REQUIRE(arrived.size() == 7);
        CHECK(arrived[4][2] == 0xA1);
        CHECK(arrived[5][2] == 0xA0);
        CHECK(Word(arrived[5], 7) == 0);
        CHECK(arrived[6][2] == 0x80);
    }
}

TEST_SUITE("library form")
{
    TEST_CASE("the library leaves its host's process as it was and gives its own objects to every user")
    {
        LibraryHostBench bench;
        bench.WriteSupportedTable({MODEL_PLAIN});
        REQUIRE(bench.Start());
        HANDLE host = OpenProcess(READ_CONTROL, FALSE, bench.ProcessId());
        REQUIRE(host != nullptr);
        const ObjectAccessList hosts(host);
        CloseHandle(host);
        // The host started with the same access list as this process.
        const ObjectAccessList ours(GetCurrentProcess());
        REQUIRE(hosts.Count() == ours.Count());
        CHECK(hosts.EveryoneMask() == ours.EveryoneMask());

        for (const char* section : {objnames::CONNECTION_SECTION, objnames::PEN_SECTION}) {
            CAPTURE(section);
            HANDLE object = OpenFileMappingA(READ_CONTROL, FALSE, section);
            REQUIRE(object != nullptr);
            CHECK(ObjectAccessList(object).EveryoneMask() == 0x1FFFFF);
            CloseHandle(object);
        }
        HANDLE command = OpenEventA(READ_CONTROL, FALSE, objnames::COMMAND_EVENT);
        REQUIRE(command != nullptr);
        CHECK(ObjectAccessList(command).EveryoneMask() == 0x1FFFFF);
        CloseHandle(command);
    }
}
