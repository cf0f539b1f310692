#include "PenMapping.h"
#include "PenRig.h"

#include <doctest/doctest.h>

using namespace penreport;

namespace {

constexpr uint32_t CLIENT_WINDOW = 0x70;
constexpr int32_t CLIENT_ID = 7;
constexpr uint16_t MID_X = 5103;  // screen 32767, packet 5102
constexpr uint16_t MID_Y = 3711;  // screen 32767, packet 3710

RINGPACKET Packet(uint32_t serial, uint32_t changed, uint32_t buttons, uint32_t pressure, uint32_t time = 1000)
{
    RINGPACKET p{};
    p.time = time;
    p.changed = changed;
    p.serialNumber = serial;
    p.cursor = 1;
    p.buttons = buttons;
    p.x = 5102;
    p.y = 3710;
    p.normalPressure = pressure;
    p.azimuth = 1800;
    p.altitude = 800;
    return p;
}

void CheckPackets(const std::vector<RINGPACKET>& actual, const std::vector<RINGPACKET>& expected)
{
    REQUIRE(actual.size() == expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        CAPTURE(i);
        CHECK(std::memcmp(&actual[i], &expected[i], sizeof(RINGPACKET)) == 0);
        CHECK(actual[i].serialNumber == expected[i].serialNumber);
        CHECK(actual[i].changed == expected[i].changed);
    }
}

std::vector<SystemCall> PointerCalls(const RecordingSystem& system)
{
    std::vector<SystemCall> out;
    for (const SystemCall& call : system.calls)
        if (call.kind == SystemCall::Pointer || call.kind == SystemCall::Mouse)
            out.push_back(call);
    return out;
}

size_t CountPosts(const RecordingSystem& system, uint32_t message)
{
    size_t n = 0;
    for (const SystemCall& call : system.Of(SystemCall::Post))
        n += call.b == message ? 1 : 0;
    return n;
}

}  // namespace

TEST_SUITE("pen output")
{
    TEST_CASE("a stroke with one client: hover, stroke start with two packets, lift")
    {
        PenRig rig;
        rig.AddClient(CLIENT_ID, CLIENT_WINDOW, CTX_OPTION_PACKET_MESSAGES);
        rig.Settle();

        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        CHECK(rig.system.calls == std::vector<SystemCall>{Ptr(MOVE, 32767, 32767), Post(CLIENT_WINDOW, WT_PACKET, 1, 7)});

        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 500));
        CHECK(rig.system.calls == std::vector<SystemCall>{
                                      SystemCall::SleepOf(1), Post(CLIENT_WINDOW, WT_PACKET, 2, 7),
                                      Ptr(MOVE, 32767, 32767), SystemCall::SleepOf(3), SystemCall::SleepOf(3),
                                      Ptr(DOWN, 32767, 32767), Post(CLIENT_WINDOW, WT_PACKET, 2, 7)});
        CHECK(rig.Buttons() == HELD_LEFT_BUTTON);

        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        CHECK(rig.system.calls == std::vector<SystemCall>{Ptr(UP, 32767, 32767), Post(CLIENT_WINDOW, WT_PACKET, 4, 7)});
        CHECK(rig.Buttons() == 0);

        CheckPackets(rig.Ring(), {Packet(1, 0x1194, 0, 0), Packet(2, 0x14, 0, 0), Packet(3, 0x414, 1, 477, 1001),
                                  Packet(4, 0x454, 0, 0)});
    }

    TEST_CASE("a changed client list empties the ring and marks the next packet once as a cursor change")
    {
        PenRig rig;
        rig.AddClient(CLIENT_ID, CLIENT_WINDOW, CTX_OPTION_PACKET_MESSAGES | CTX_OPTION_CSRCHANGE_MESSAGES);
        rig.Settle();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        REQUIRE(rig.Ring().size() == 2);

        rig.context.flags.clientsOrToolChanged.store(1);
        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        const std::vector<RINGPACKET> ring = rig.Ring();
        REQUIRE(ring.size() == 1);
        CHECK((ring[0].changed & 0x20) != 0);
        CHECK(CountPosts(rig.system, WT_CSRCHANGE) == 1);
        CHECK(CountPosts(rig.system, WT_PROXIMITY) == 1);
        CHECK(rig.context.flags.clientsOrToolChanged == 0);

        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        REQUIRE(rig.Ring().size() == 2);
        CHECK((rig.Ring()[1].changed & 0x20) == 0);
        CHECK(CountPosts(rig.system, WT_CSRCHANGE) == 0);
    }

    TEST_CASE("packet positions scale by the extents in the key area, not the thread's copy")
    {
        PenRig rig;
        rig.AddClient(CLIENT_ID, CLIENT_WINDOW, CTX_OPTION_PACKET_MESSAGES);
        rig.context.keyArea.head()->record.info.xMax = 20000;
        rig.context.keyArea.head()->record.info.yMax = 1000;
        rig.Settle();
        rig.Feed(Pen(HOVER, 10206, 7422, 0));
        REQUIRE(rig.Ring().size() == 1);
        CHECK(rig.Ring()[0].x == 20000);
        CHECK(rig.Ring()[0].y == 1000);
    }

    TEST_CASE("mapping clamps to the tablet area and reaches 0xFFFF at its edge")
    {
        struct Row { uint16_t x; int32_t screen; };
        const Row rows[] = {{0, 0}, {MID_X, 32767}, {10206, 0xFFFF}, {12000, 0xFFFF}, {0xFFFF, 0xFFFF}};
        for (const Row& row : rows) {
            ScreenPoint p = PenMapping::ToScreen(row.x, 0, {0, 0, 10206, 7422}, {0, 0, 0xFFFF, 0xFFFF}, false);
            CAPTURE(row.x);
            CHECK(p.x == row.screen);
        }
        PenRig rig;
        rig.Feed(Pen(HOVER, 12000, 9000, 0));
        CHECK(rig.system.calls == std::vector<SystemCall>{Ptr(MOVE, 0xFFFF, 0xFFFF)});
    }

    TEST_CASE("the live key area maps only with clients on several monitors")
    {
        struct Row { int32_t monitors; bool client; int32_t screenX; };
        const Row rows[] = {{1, true, 0xFFFF}, {2, true, 0x7FFF}, {2, false, 0xFFFF}};
        for (const Row& row : rows) {
            PenRig rig;
            rig.context.keyArea.head()->record.mapping.screenArea = {0, 0, 0x7FFF, 0x7FFF};
            rig.system.monitors = row.monitors;
            if (row.client)
                rig.AddClient(CLIENT_ID, CLIENT_WINDOW, 0);
            rig.Settle();
            rig.Feed(Pen(HOVER, 10206, 0, 0));
            CAPTURE(row.monitors);
            CHECK(PointerCalls(rig.system) == std::vector<SystemCall>{Ptr(MOVE, row.screenX, 0)});
        }
    }

    TEST_CASE("a killed client's contexts go at the next stroke start: no packet, message or wait for it")
    {
        constexpr uint32_t KILLED = 0x70, LIVE = 0x80, ELSEWHERE = 0x90;
        for (bool liveOnTop : {false, true}) {
            CAPTURE(liveOnTop);
            PenRig rig;
            rig.system.closedWindows.insert(ELSEWHERE);  // on a desktop this process never sees
            rig.AddClient(9, ELSEWHERE, CTX_OPTION_PACKET_MESSAGES, CTX_STATUS_OBSCURED);
            rig.AddClient(8, LIVE, CTX_OPTION_PACKET_MESSAGES, liveOnTop ? CTX_STATUS_ON_TOP : CTX_STATUS_OBSCURED);
            rig.AddClient(CLIENT_ID, KILLED, CTX_OPTION_PACKET_MESSAGES);
            rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
            rig.system.closedWindows.insert(KILLED);
            rig.Settle();
            for (uint16_t pressure : {500, 500, 0})
                rig.Feed(Pen(HOVER, MID_X, MID_Y, pressure));

            uint32_t status = 0;
            CHECK(rig.registry.StatusOf(CLIENT_ID, status) == 0);
            CHECK(rig.registry.StatusOf(8, status) == 1);
            CHECK(rig.registry.StatusOf(9, status) == 1);
            // The live client's four messages and packets only, and a wait only for its reading.
            CHECK(rig.system.Of(SystemCall::Post).size() == (liveOnTop ? 4u : 0u));
            CHECK(rig.Ring().size() == (liveOnTop ? 4u : 0u));
            CHECK(rig.system.Of(SystemCall::Sleep).size() == (liveOnTop ? 3u : 1u));
        }
    }

    TEST_CASE("pointer output off: no stroke-start packet, other packets written, the lift still releases")
    {
        PenRig rig;
        rig.AddClient(CLIENT_ID, CLIENT_WINDOW, CTX_OPTION_PACKET_MESSAGES);
        rig.Settle();
        rig.context.flags.pointerOutput.store(0);
        const uint16_t pressures[] = {0, 500, 500, 0};
        const size_t ringSizes[] = {1, 1, 2, 3};
        for (int i = 0; i < 4; ++i) {
            rig.Feed(Pen(HOVER, MID_X, MID_Y, pressures[i]));
            CHECK(rig.Ring().size() == ringSizes[i]);
        }
        CHECK(PointerCalls(rig.system) == std::vector<SystemCall>{Ptr(UP, 32767, 32767)});
    }

    TEST_CASE("disable-pressure writes no ring packet but still posts WT_PACKET")
    {
        PenRig rig;
        rig.AddClient(CLIENT_ID, CLIENT_WINDOW, CTX_OPTION_PACKET_MESSAGES);
        rig.Settle();
        rig.pen->pen.disablePressure = 1;
        for (uint16_t pressure : {0, 500, 500, 0})
            rig.Feed(Pen(HOVER, MID_X, MID_Y, pressure));
        CHECK(rig.Ring().empty());
        CHECK(CountPosts(rig.system, WT_PACKET) == 4);
    }

    TEST_CASE("a \"Corel Painter\" window gets no proximity-enter, only tool and leave")
    {
        PenRig rig;
        rig.system.titles[0x70] = "Corel Painter 12";
        rig.system.titles[0x80] = "Sketch";
        rig.AddClient(7, 0x70, CTX_OPTION_CSRCHANGE_MESSAGES);
        rig.AddClient(8, 0x80, 0);
        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        CHECK(rig.system.Of(SystemCall::Post) ==
              std::vector<SystemCall>{Post(0x70, WT_CSRCHANGE, 1, 7), Post(0x80, WT_PROXIMITY, 8, PROXIMITY_ENTER)});
        CHECK(rig.context.flags.clientsOrToolChanged.load() == 0);

        rig.system.Clear();
        rig.Feed(Tool(0x802));
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        rig.Feed(Leave());
        std::vector<SystemCall> painter;
        for (const SystemCall& call : rig.system.Of(SystemCall::Post))
            if (call.a == 0x70 && call.b == WT_PROXIMITY)
                painter.push_back(call);
        CHECK(painter == std::vector<SystemCall>{Post(0x70, WT_PROXIMITY, 7, PROXIMITY_TOOL),
                                                 Post(0x70, WT_PROXIMITY, 7, PROXIMITY_LEAVE)});
    }

    TEST_CASE("the lift releases at the previous report's position")
    {
        PenRig rig;
        rig.Feed(Pen(HOVER, 1000, 1000, 500));
        rig.Feed(Pen(HOVER, 2000, 1000, 500));
        const SystemCall lastMove = rig.system.calls.back();
        REQUIRE(lastMove.a == MOVE);
        rig.Feed(Pen(HOVER, 3000, 1000, 0));
        CHECK(rig.system.calls.back() == Ptr(UP, int32_t(lastMove.b), int32_t(lastMove.c)));
    }

    TEST_CASE("proximity leave or a removed device with the tip down: one button-up, empty ring, leave message")
    {
        PenRig rig;
        rig.AddClient(CLIENT_ID, CLIENT_WINDOW, CTX_OPTION_PACKET_MESSAGES);
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 500));
        REQUIRE(rig.Buttons() == HELD_LEFT_BUTTON);
        rig.system.Clear();
        rig.Feed(Leave());
        rig.Feed(Leave());
        CHECK(rig.system.calls == std::vector<SystemCall>{Post(CLIENT_WINDOW, WT_PROXIMITY, 7, PROXIMITY_LEAVE),
                                                          SystemCall::MouseOf(MOUSE_VIRTUALDESK | MOUSE_LEFTUP),
                                                          Post(CLIENT_WINDOW, WT_PROXIMITY, 7, PROXIMITY_LEAVE)});
        CHECK(rig.connection->readIndex == 0);
        CHECK(rig.connection->writeIndex == 0);
        CHECK(rig.Buttons() == 0);
        CHECK(rig.Status() == 0);

        // A device that goes away mid-stroke releases the same way.
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 500));
        rig.system.Clear();
        rig.pipeline.DeviceRemoved(rig.mapping, true);
        CHECK(rig.system.Of(SystemCall::Mouse) == std::vector<SystemCall>{SystemCall::MouseOf(MOUSE_VIRTUALDESK | MOUSE_LEFTUP)});
        CHECK(rig.Buttons() == 0);
    }

    TEST_CASE("pen buttons: press and release, a switch between buttons and a leave release every held action")
    {
        PenRig rig;
        rig.Feed(Pen(HOVER, 0, 0, 0));
        rig.system.Clear();
        rig.Feed(Pen(BUTTON1, 0, 0, 0));
        rig.Feed(Pen(BUTTON2, 0, 0, 0));
        rig.Feed(Pen(HOVER, 0, 0, 0));
        CHECK(rig.system.calls == std::vector<SystemCall>{Ptr(0x4008), Ptr(0x4010), SystemCall::MouseOf(0x4020),
                                                          SystemCall::MouseOf(0x4040)});
        rig.Feed(Pen(BUTTON1, 0, 0, 0));
        rig.context.flags.buttonState.fetch_or(HELD_PEN_BUTTON2);
        rig.system.Clear();
        rig.Feed(Leave());
        CHECK(rig.system.calls == std::vector<SystemCall>{SystemCall::MouseOf(0x4040), Ptr(0x4010)});
        CHECK(rig.Buttons() == 0);
    }

    TEST_CASE("the packet after a tool identification announces the tool and keeps the tip up")
    {
        PenRig rig;
        rig.AddClient(CLIENT_ID, CLIENT_WINDOW, CTX_OPTION_CSRCHANGE_MESSAGES);
        rig.Settle();
        rig.Feed(Tool(0x80A));  // an eraser
        rig.state.toolDebounce = 0;
        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 500));
        CHECK(rig.system.Of(SystemCall::Post) == std::vector<SystemCall>{Post(CLIENT_WINDOW, WT_PROXIMITY, 7, PROXIMITY_TOOL),
                                                                          Post(CLIENT_WINDOW, WT_CSRCHANGE, 1, 7)});
        CHECK(rig.Status() == 0);
        CHECK(rig.Buttons() == 0);
        const std::vector<RINGPACKET> ring = rig.Ring();
        REQUIRE(ring.size() == 1);
        CHECK(ring[0].buttons == 1);
        CHECK(ring[0].cursor == 2);
        CHECK(ring[0].status == 0x10);
        CHECK(ring[0].altitude == -800);
    }

    TEST_CASE("the calibration window gets the smoothed tablet position and the status")
    {
        PenRig rig;
        rig.system.windowsByTitle[CALIBRATION_WINDOW_TITLE] = 0x99;
        rig.Feed(Pen(HOVER, 1000, 2000, 500));
        CHECK(rig.system.Of(SystemCall::Post) == std::vector<SystemCall>{Post(0x99, WM_CALIBRATE_POINT, 1, 2000u << 16 | 1000)});
    }
}
