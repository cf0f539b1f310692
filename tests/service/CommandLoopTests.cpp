// Another process commands the running service through the connection
// section and its command event, and sees the effects.
#include "ObjectNames.h"
#include "RunningService.h"
#include "SectionView.h"
#include "ServiceCodes.h"
#include "ServiceCommander.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

namespace {

struct CommandedService {
    RunningService service;
    ServiceCommander commander;
    SectionView pen;
    SectionView keyArea;

    CommandedService()
    {
        // Settings files exist (as installed), so saves have somewhere to go.
        service.Settings().WriteFile("Tablet\\qxpen.ked", {});
        service.Settings().WriteFile("Tablet\\StyloraFind.ked", {});
        REQUIRE(service.Start());
        REQUIRE(commander.Open(true));
        REQUIRE(pen.Open(service.SectionName(objnames::PEN_SECTION)));
        REQUIRE(keyArea.Open(service.SectionName(objnames::KEY_AREA_SECTION)));
        REQUIRE(commander.Ping(5000));  // the command loop serves its event
    }

    std::vector<uint8_t> File(const char* name) const { return service.Settings().ReadFile(name); }
    TABLETRECORD_HEAD& Record() const { return keyArea.As<KeyAreaSectionHead>()->record; }
    KEYACTION* Keys() const { return RecordKeys(keyArea.Bytes() + KEYAREA_RECORD_OFFSET); }
};

template <typename Condition> bool Eventually(Condition condition) { return WaitUntil(condition, 5000); }

// User and kernel time the process has used, in milliseconds.
uint64_t CpuMilliseconds(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    auto ticks = [](const FILETIME& time) { return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
    return (ticks(kernel) + ticks(user)) / 10000;
}

}  // namespace

TEST_SUITE("command loop")
{
    TEST_CASE("saving the pen settings writes the pen section's record")
    {
        CommandedService s;
        s.pen.As<PenSection>()->pen.pressureSensitivity = 150;
        s.pen.As<PenSection>()->pen.penButton[1].actionCode = ACTION_SCROLL_DOWN;
        REQUIRE(s.commander.Send(CMD_SAVE_PEN_SETTINGS));
        REQUIRE(Eventually([&] { return s.File("Tablet\\qxpen.ked").size() == sizeof(PENSETTINGS); }));
        std::vector<uint8_t> file = s.File("Tablet\\qxpen.ked");
        CHECK(std::memcmp(file.data(), &s.pen.As<PenSection>()->pen, sizeof(PENSETTINGS)) == 0);
        CHECK(s.service.Stop() == 1);
    }

    TEST_CASE("saving keys appends a record, then rewrites it in place, mapping follows it")
    {
        CommandedService s;
        TABLETRECORD_HEAD& record = s.Record();
        record.info.VID = 0x7A4B;
        record.info.PID = 0x1001;
        record.info.keyCount = 4;
        record.keyCount = 4;
        s.Keys()[3].actionCode = ACTION_LAUNCH;
        std::strcpy(s.Keys()[3].data, "notepad.exe");

        REQUIRE(s.commander.Send(CMD_SAVE_KEYS));
        REQUIRE(Eventually([&] { return s.File("Tablet\\StyloraFind.ked").size() == 2304; }));
        std::vector<uint8_t> file = s.File("Tablet\\StyloraFind.ked");
        CHECK(RecordHead(file.data())->mapping.monitorListCount == -1);
        CHECK(RecordKeys(file.data())[3].actionCode == ACTION_LAUNCH);

        s.Keys()[3].actionCode = ACTION_SCROLL_UP;
        REQUIRE(s.commander.Send(CMD_SAVE_KEYS));
        REQUIRE(Eventually([&] {
            std::vector<uint8_t> now = s.File("Tablet\\StyloraFind.ked");
            return now.size() == 2304 && RecordKeys(now.data())[3].actionCode == ACTION_SCROLL_UP;
        }));

        record.mapping.monitorListCount = 2;
        record.mapping.tabletArea = {1, 2, 3000, 4000};
        REQUIRE(s.commander.Send(CMD_SAVE_MAPPING));
        REQUIRE(Eventually([&] {
            std::vector<uint8_t> now = s.File("Tablet\\StyloraFind.ked");
            return now.size() == 2304 && RecordHead(now.data())->mapping.monitorListCount == 2;
        }));
        CHECK(RecordHead(s.File("Tablet\\StyloraFind.ked").data())->mapping.tabletArea.right == 3000);
        CHECK(s.service.Stop() == 1);
    }

    TEST_CASE("contexts: enabling one on top posts proximity and resets the ring, removed ones hear nothing")
    {
        CommandedService s;
        MessageSink sink;
        ConnectionSection* connection = s.commander.Connection();

        connection->readIndex = 5;
        connection->writeIndex = 9;
        s.commander.SetContext(7, sink.Window(), CTX_STATUS_ON_TOP | CTX_STATUS_DISABLED, CTX_OPTION_PACKET_MESSAGES);
        REQUIRE(s.commander.Send(CMD_ADD_CONTEXT));
        REQUIRE(Eventually([&] { return connection->readIndex == 0 && connection->writeIndex == 0; }));

        s.commander.SetContext(7, sink.Window(), CTX_STATUS_ON_TOP);
        REQUIRE(s.commander.Send(CMD_CONTEXT_ENABLE));
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        REQUIRE(sink.WaitFor(WT_PROXIMITY, 3000, &wParam, &lParam));
        CHECK(wParam == 7);
        CHECK(lParam == 1);

        // An unknown code is ignored and the loop keeps serving.
        REQUIRE(s.commander.Send(13));
        s.commander.SetContext(7, sink.Window(), 0);
        REQUIRE(s.commander.Send(CMD_REMOVE_CONTEXT));
        s.commander.SetContext(7, sink.Window(), CTX_STATUS_ON_TOP | CTX_STATUS_DISABLED);
        REQUIRE(s.commander.Send(CMD_CONTEXT_ENABLE));
        s.commander.SetContext(7, sink.Window(), CTX_STATUS_ON_TOP);
        REQUIRE(s.commander.Send(CMD_CONTEXT_ENABLE));
        CHECK(sink.CountFor(WT_PROXIMITY, 300) == 0);
        CHECK(s.service.Stop() == 1);
    }

    TEST_CASE("a command event set instead of pulsed runs its command once and the loop goes idle")
    {
        CommandedService s;
        MessageSink sink;
        ConnectionSection* connection = s.commander.Connection();
        connection->readIndex = 5;
        connection->writeIndex = 9;
        s.commander.SetContext(7, sink.Window(), 0);
        s.commander.Raise(CMD_ADD_CONTEXT);
        REQUIRE(Eventually([&] { return connection->readIndex == 0 && connection->writeIndex == 0; }));

        // Every further run of the command would empty the ring again.
        connection->readIndex = 5;
        connection->writeIndex = 9;
        const uint64_t before = CpuMilliseconds(s.service.Child().Process());
        Sleep(500);  // a span of time: what is measured is that nothing happens in it
        const uint64_t used = CpuMilliseconds(s.service.Child().Process()) - before;
        CHECK(connection->readIndex == 5);
        CHECK(connection->writeIndex == 9);
        CHECK(used < 150);

        // Pulsed commands are served as before.
        REQUIRE(s.commander.Send(CMD_ADD_CONTEXT));
        CHECK(Eventually([&] { return connection->readIndex == 0 && connection->writeIndex == 0; }));
        CHECK(s.service.Stop() == 1);
    }
}
