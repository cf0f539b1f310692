// The device search of the running service against scripted HID interfaces
// and against Wine's own HID devices.
#include "ObjectNames.h"
#include "ServiceCodes.h"
#include "TabletBench.h"

#include <doctest/doctest.h>

namespace {

const TABLETINFO MODEL_A = Model(0x7A4B, 0x5A24, 10, 5, 4);
const TABLETINFO MODEL_B = Model(0x7A4B, 0x5A30, 8, 0, 2);
// Its pen reports would not fit the read buffer.
const TABLETINFO MODEL_TOO_LONG = Model(0x7A4B, 0x5A99, 100, 0, 1);

bool RingLockIsFree()
{
    HANDLE lock = OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, objnames::RING_LOCK);
    if (lock == nullptr)
        return false;
    const bool free = WaitForSingleObject(lock, 0) == WAIT_OBJECT_0;
    if (free)
        SetEvent(lock);
    CloseHandle(lock);
    return free;
}

// A search reorders the two pen buttons only while they hold the default pair.
PENSETTINGS PenFileWithButtons(int32_t first, int32_t second)
{
    PENSETTINGS pen{};
    pen.penButton[0].actionCode = first;
    pen.penButton[1].actionCode = second;
    pen.toolId = -1;
    pen.pressureSensitivity = 100;
    pen.clickSensitivity = 43;
    return pen;
}

}  // namespace

TEST_SUITE("device search")
{
    TEST_CASE("a tablet is taken by VID, PID and pen report length, other interfaces are let go")
    {
        TabletBench bench;
        bench.WriteSupportedTable({MODEL_A, MODEL_B, MODEL_TOO_LONG});
        ScriptedHid mouse = PenInterfaceOf(MODEL_A);
        mouse.usagePage = "1";
        mouse.usage = "2";
        ScriptedHid otherLength = PenInterfaceOf(MODEL_A);
        otherLength.inputLength = 12;
        ScriptedHid keyInterface = PenInterfaceOf(MODEL_A);
        keyInterface.inputLength = 5;
        ScriptedHid tooLong = PenInterfaceOf(MODEL_TOO_LONG);

        std::vector<TestPipe*> refused = {&bench.AddInterface(mouse), &bench.AddInterface(otherLength),
                                          &bench.AddInterface(keyInterface), &bench.AddInterface(tooLong)};
        TestPipe& pen = bench.AddInterface(PenInterfaceOf(MODEL_A));
        REQUIRE(bench.Start());
        REQUIRE(pen.WaitConnected(10000));
        CHECK(bench.WaitForReadThreads(1));
        for (size_t index = 0; index < refused.size(); ++index) {
            CAPTURE(index);
            CHECK(refused[index]->ReleasedByService());
        }
        CHECK_FALSE(pen.ReleasedByService());

        const TABLETRECORD_HEAD& record = bench.KeyArea()->record;
        CHECK(record.info.VID == MODEL_A.VID);
        CHECK(record.info.PID == MODEL_A.PID);
        CHECK(record.info.keyCount == 4);
        CHECK(record.keyCount == 4);
        CHECK(record.mapping.tabletArea.right == MODEL_A.xMax);
        CHECK(record.mapping.tabletArea.bottom == MODEL_A.yMax);

        HANDLE mappingReload = OpenReloadEvent(MODEL_A.VID, MODEL_A.PID, false);
        HANDLE keyReload = OpenReloadEvent(MODEL_A.VID, MODEL_A.PID, true);
        CHECK(mappingReload != nullptr);
        CHECK(keyReload != nullptr);
        CloseHandle(mappingReload);
        CloseHandle(keyReload);

        // A model whose first pen button right-clicks; the search sets the
        // buttons after it has started the read threads.
        CHECK(WaitUntil([&] { return bench.Pen()->pen.penButton[0].actionCode == ACTION_RIGHT_CLICK; }, 5000));
        CHECK(bench.Pen()->pen.penButton[1].actionCode == ACTION_DOUBLE_CLICK);
        CHECK(RingLockIsFree());
        CHECK(bench.Stop() == 1);
    }

    TEST_CASE("a second search starts no second thread, a tablet plugged in later is found")
    {
        TabletBench bench;
        bench.WriteSupportedTable({MODEL_A, MODEL_B});
        TestPipe& first = bench.AddInterface(PenInterfaceOf(MODEL_A));
        TestPipe& later = bench.AddInterface(PenInterfaceOf(MODEL_B), false);
        REQUIRE(bench.Start());
        REQUIRE(first.WaitConnected(10000));
        REQUIRE(bench.WaitForReadThreads(1));

        REQUIRE(bench.SignalDeviceArrival());
        CHECK(bench.TimeCriticalThreads() == 1);
        CHECK(bench.KeyArea()->record.info.PID == MODEL_A.PID);

        REQUIRE(bench.Plug(later));
        REQUIRE(bench.SignalDeviceArrival());
        CHECK(later.WaitConnected(5000));
        CHECK(bench.WaitForReadThreads(2));
        // The tablet found last is the one the key area shows.
        CHECK(bench.KeyArea()->record.info.PID == MODEL_B.PID);
        CHECK(bench.KeyArea()->record.info.keyCount == 2);
        // A model whose first pen button double-clicks.
        CHECK(bench.Pen()->pen.penButton[0].actionCode == ACTION_DOUBLE_CLICK);
        CHECK(bench.Pen()->pen.penButton[1].actionCode == ACTION_RIGHT_CLICK);
    }

    TEST_CASE("the ring lock is made free once and a later search leaves a held lock alone")
    {
        TabletBench bench;
        bench.WriteSupportedTable({MODEL_A});
        REQUIRE(bench.Start());
        HANDLE lock = nullptr;
        REQUIRE(WaitUntil([&] { return (lock = OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE,
                                                          objnames::RING_LOCK)) != nullptr; },
                          10000));
        // Held by this test, as a ring reader would hold it.
        REQUIRE(WaitForSingleObject(lock, 5000) == WAIT_OBJECT_0);
        REQUIRE(bench.SignalDeviceArrival());
        CHECK(WaitForSingleObject(lock, 0) == WAIT_TIMEOUT);
        SetEvent(lock);
        CloseHandle(lock);
        CHECK(RingLockIsFree());
    }

    TEST_CASE("without a supported-device table the search does nothing")
    {
        TabletBench bench;
        PENSETTINGS penFile = PenFileWithButtons(ACTION_DOUBLE_CLICK, ACTION_RIGHT_CLICK);
        bench.WriteSettingsFile("Tablet\\qxpen.ked", &penFile, sizeof penFile);
        TestPipe& pen = bench.AddInterface(PenInterfaceOf(MODEL_A));
        REQUIRE(bench.Start());
        REQUIRE(bench.SignalDeviceArrival());
        CHECK_FALSE(pen.WaitConnected(0));
        CHECK(bench.TimeCriticalThreads() == 0);
        CHECK(bench.Pen()->pen.penButton[0].actionCode == ACTION_DOUBLE_CLICK);
        CHECK(OpenEventA(SYNCHRONIZE, FALSE, objnames::RING_LOCK) == nullptr);
    }

    TEST_CASE("the second-brand build takes the tablet without a ring lock or pen-button defaults")
    {
        TabletBench bench("InkbridPenmira.exe");
        bench.WriteSupportedTable({MODEL_A});
        PENSETTINGS penFile = PenFileWithButtons(ACTION_DOUBLE_CLICK, ACTION_RIGHT_CLICK);
        bench.WriteSettingsFile("Tablet\\qxpen.ked", &penFile, sizeof penFile);
        TestPipe& pen = bench.AddInterface(PenInterfaceOf(MODEL_A));
        REQUIRE(bench.Start());
        REQUIRE(pen.WaitConnected(10000));
        REQUIRE(bench.WaitForReadThreads(1));
        CHECK(bench.KeyArea()->record.info.PID == MODEL_A.PID);
        CHECK(bench.Pen()->pen.penButton[0].actionCode == ACTION_DOUBLE_CLICK);
        CHECK(bench.Pen()->pen.penButton[1].actionCode == ACTION_RIGHT_CLICK);
        CHECK(OpenEventA(SYNCHRONIZE, FALSE, objnames::RING_LOCK) == nullptr);
    }
}

TEST_SUITE("Wine's HID devices")
{
    TEST_CASE("the virtual mouse is never taken, whatever lengths the table lists for it")
    {
        RunningService service;
        std::vector<TABLETINFO> table;
        for (uint16_t length = 1; length <= 64; ++length)
            table.push_back(Model(0x845E, 0x0001, length, static_cast<uint16_t>(65 - length), 1));
        std::vector<uint8_t> bytes(reinterpret_cast<uint8_t*>(table.data()),
                                   reinterpret_cast<uint8_t*>(table.data() + table.size()));
        service.Settings().WriteFile("Tablet\\StyloraInfo.ked", bytes);
        PENSETTINGS penFile = PenFileWithButtons(ACTION_RIGHT_CLICK, ACTION_DOUBLE_CLICK);
        service.Settings().WriteFile("Tablet\\qxpen.ked",
                                     std::vector<uint8_t>(reinterpret_cast<uint8_t*>(&penFile),
                                                          reinterpret_cast<uint8_t*>(&penFile + 1)));
        REQUIRE(service.Start());
        SectionView pen, keyArea;
        REQUIRE(pen.Open(service.SectionName(objnames::PEN_SECTION)));
        REQUIRE(keyArea.Open(service.SectionName(objnames::KEY_AREA_SECTION)));
        // The pen-button defaults come at the end of the search.
        CHECK(WaitUntil([&] { return pen.As<PenSection>()->pen.penButton[0].actionCode == ACTION_DOUBLE_CLICK; },
                        10000));
        CHECK(keyArea.As<KeyAreaSectionHead>()->record.info.VID == 0);
        HANDLE reload = OpenReloadEvent(0x845E, 0x0001, false);
        CHECK(reload == nullptr);
        CHECK(service.Stop() == 1);
    }
}
