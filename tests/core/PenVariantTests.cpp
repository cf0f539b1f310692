#include "PenRig.h"
#include "VirtualPenReport.h"

#include <doctest/doctest.h>

#include <string>

using namespace penreport;

namespace {

constexpr uint16_t MID_X = 5103;  // screen 32767
constexpr uint16_t MID_Y = 3711;

SystemCall Virtual(const std::string& head)
{
    return {SystemCall::VirtualOutput, 19, 0, 0, 0, head + std::string(38 - head.size(), '0')};
}

}  // namespace

TEST_SUITE("pen pipeline of the second brand")
{
    TEST_CASE("rotation code 0x200 turns the position before mapping")
    {
        PenRig rig(BuildPolicy::SecondBrand());
        rig.context.flags.rotationCode.store(0x200);
        rig.Feed(Pen(HOVER, 1000, 2000, 0));
        CHECK(FrameU16(rig.state.previous, 2) == 9206);
        CHECK(FrameU16(rig.state.previous, 4) == 5422);
        CHECK(rig.system.calls == std::vector<SystemCall>{Ptr(MOVE, 59113, 47875)});
    }

    TEST_CASE("pointer output off: pen buttons perform nothing and a lift sends no button-up")
    {
        PenRig rig(BuildPolicy::SecondBrand());
        rig.AddClient(7, 0x70, 0);
        rig.context.flags.pointerOutput.store(0);
        for (const RawPenReport& report : {Pen(HOVER, 0, 0, 0), Pen(BUTTON1, 0, 0, 0), Pen(HOVER, 0, 0, 0),
                                           Pen(HOVER, 0, 0, 500), Pen(HOVER, 0, 0, 0)})
            rig.Feed(report);
        CHECK(rig.system.Of(SystemCall::Pointer).empty());
        CHECK(rig.system.Of(SystemCall::Mouse).empty());
        CHECK(rig.Buttons() == 0);
    }

    TEST_CASE("stroke start: move, pause, down, then the packet and its repeat")
    {
        PenRig rig(BuildPolicy::SecondBrand());
        rig.AddClient(7, 0x70, CTX_OPTION_PACKET_MESSAGES);
        rig.Settle();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        rig.connection->readIndex = rig.connection->writeIndex;
        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 500));
        CHECK(rig.system.calls == std::vector<SystemCall>{Ptr(MOVE, 32767, 32767), SystemCall::SleepOf(4),
                                                          Ptr(DOWN, 32767, 32767), Post(0x70, WT_PACKET, 2, 7),
                                                          Post(0x70, WT_PACKET, 2, 7)});
        const std::vector<RINGPACKET> ring = rig.Ring();
        REQUIRE(ring.size() == 2);
        CHECK(ring[0].serialNumber == 2);
        CHECK(ring[0].normalPressure == 478);  // rescale rounded up
        CHECK(ring[1].serialNumber == 3);
        CHECK(ring[1].changed == 0x14);
        CHECK(ring[1].time == ring[0].time + 1);
        CHECK(rig.state.packetSerial == 4);
    }

    TEST_CASE("proximity leave: one pen-button release with a move, cursor change, button-up at the last position")
    {
        PenRig rig(BuildPolicy::SecondBrand());
        rig.AddClient(7, 0x70, CTX_OPTION_CSRCHANGE_MESSAGES);
        rig.Settle();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        rig.context.flags.buttonState.store(HELD_LEFT_BUTTON | HELD_PEN_BUTTON1);
        rig.system.Clear();
        rig.Feed(Leave());
        CHECK(rig.system.calls == std::vector<SystemCall>{Ptr(0x4040), Ptr(MOVE, 32767, 32767),
                                                          Post(0x70, WT_PROXIMITY, 7, PROXIMITY_LEAVE),
                                                          Post(0x70, WT_CSRCHANGE, 2, 7), Ptr(UP, 32767, 32767)});
        CHECK(rig.Buttons() == 0);
        CHECK(rig.context.flags.clientsOrToolChanged.load() == 1);
        CHECK(rig.state.lastX == 0);
    }

    TEST_CASE("a new tool: fixed defaults, no debounce, the tool-changed flag waits for the tool packet")
    {
        PenRig rig(BuildPolicy::SecondBrand());
        rig.AddClient(7, 0x70, CTX_OPTION_CSRCHANGE_MESSAGES);
        rig.Settle();
        rig.context.flags.modelFlag.store(1);
        rig.Feed(Tool(0x812, 5, 0x01020304));
        CHECK(rig.pen->pen.penButton[0].actionCode == ACTION_DOUBLE_CLICK);
        CHECK(rig.pen->pen.penButton[1].actionCode == ACTION_RIGHT_CLICK);
        CHECK(rig.state.toolDebounce == 0);
        CHECK(rig.context.flags.clientsOrToolChanged.load() == 1);

        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        CHECK(rig.system.Of(SystemCall::Post) ==
              std::vector<SystemCall>{Post(0x70, WT_PROXIMITY, 7, PROXIMITY_TOOL), Post(0x70, WT_CSRCHANGE, 1, 7)});
        CHECK(rig.context.flags.clientsOrToolChanged.load() == 1);

        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        CHECK(rig.system.Of(SystemCall::Post) == std::vector<SystemCall>{Post(0x70, WT_CSRCHANGE, 2, 7)});
        CHECK(rig.context.flags.clientsOrToolChanged.load() == 0);
        const std::vector<RINGPACKET> ring = rig.Ring();
        REQUIRE(ring.size() == 1);
        CHECK((ring[0].changed & 0x20) != 0);
    }

    TEST_CASE("a context command that sets the tool-changed flag while a packet announces it is not lost")
    {
        PenRig rig(BuildPolicy::SecondBrand());
        rig.AddClient(7, 0x70, CTX_OPTION_CSRCHANGE_MESSAGES);
        rig.Settle();
        rig.context.flags.clientsOrToolChanged.store(1);
        bool commandDone = false;
        rig.system.afterPost = [&](const SystemCall& call) {
            if (call.b == WT_CSRCHANGE && !commandDone) {
                commandDone = true;
                rig.context.flags.clientsOrToolChanged.store(1);  // another client came on top meanwhile
            }
        };
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        REQUIRE(commandDone);
        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        CHECK(rig.system.Of(SystemCall::Post) == std::vector<SystemCall>{Post(0x70, WT_CSRCHANGE, 2, 7)});
        CHECK((rig.Ring().back().changed & 0x20) != 0);
        CHECK(rig.context.flags.clientsOrToolChanged.load() == 0);
    }

    TEST_CASE("without clients: pointer output comes back, no calibration message, the serial still moves")
    {
        PenRig rig(BuildPolicy::SecondBrand());
        rig.system.windowsByTitle[CALIBRATION_WINDOW_TITLE] = 0x99;
        rig.context.flags.pointerOutput.store(0);
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        CHECK(rig.context.flags.pointerOutput.load() == 1);
        CHECK(rig.system.calls == std::vector<SystemCall>{Ptr(MOVE, 32767, 32767)});
        CHECK(rig.state.packetSerial == 2);
    }
}

TEST_SUITE("pen pipeline of the library form")
{
    TEST_CASE("virtual pen status bytes")
    {
        struct Row { uint16_t toolId; int32_t pressure, threshold; uint8_t status; };
        const Row rows[] = {{0x802, 0, 43, 0xA0}, {0x802, 43, 43, 0xA1}, {0x80A, 42, 43, 0xA4},
                            {0x80A, 500, 43, 0xA8}, {0x802, 0, 0, 0xA0}};
        for (const Row& row : rows)
            CHECK(VirtualPenReport::StatusOf(row.toolId, row.pressure, row.threshold) == row.status);
    }

    TEST_CASE("no client window: a touch soon after proximity hovers first and waits unless Paint is in front")
    {
        struct Row { uint32_t delay; bool paint; std::vector<SystemCall> calls; };
        const Row rows[] = {
            {100, false, {Virtual("0301A0FF3FFF3F0000"), SystemCall::SleepOf(200)}},
            {100, true, {Virtual("0301A0FF3FFF3F0000")}},
            {250, false, {Virtual("0301A1FF3FFF3FDD01")}},
        };
        for (const Row& row : rows) {
            PenRig rig(BuildPolicy::Library());
            rig.system.virtualDevice = true;
            rig.system.foregroundImage = row.paint ? "\\Device\\HarddiskVolume2\\Windows\\System32\\mspaint.exe" : "x.exe";
            rig.system.tick = 1000;
            rig.Feed(Tool(0x802));
            rig.state.toolDebounce = 0;
            rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
            rig.system.tick = 1000 + row.delay;
            rig.system.Clear();
            rig.Feed(Pen(HOVER, MID_X, MID_Y, 500));
            CAPTURE(row.delay);
            CHECK(rig.system.calls == row.calls);
            CHECK(rig.state.toolTime == 0);
            CHECK(rig.Buttons() == HELD_LEFT_BUTTON);
        }
    }

    TEST_CASE("no client window: an eraser touching reports 0xA8, the leave releases and goes out of range")
    {
        PenRig rig(BuildPolicy::Library());
        rig.system.virtualDevice = true;
        rig.Feed(Tool(0x80A));
        rig.state.toolDebounce = 0;
        rig.state.toolTime = 0;
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 500));
        rig.Feed(Leave());
        CHECK(rig.system.calls == std::vector<SystemCall>{Virtual("0301A8FF3FFF3FDD01"), Virtual("0301A4FF3FFF3F0000"),
                                                          Virtual("030180FF3FFF3F0000")});
        CHECK(rig.Buttons() == 0);
    }

    TEST_CASE("with a client: the lift sends a touching packet, moves, waits, repeats and releases")
    {
        PenRig rig(BuildPolicy::Library());
        rig.system.recordDebug = true;
        rig.AddClient(7, 0x70, CTX_OPTION_SYSTEM_CURSOR | CTX_OPTION_PACKET_MESSAGES);
        rig.Settle();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 500));
        CHECK(rig.system.Of(SystemCall::Debug).empty());
        rig.connection->readIndex = rig.connection->writeIndex;
        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        CHECK(rig.system.calls == std::vector<SystemCall>{Post(0x70, WT_PACKET, 4, 7), Ptr(MOVE, 32767, 32767),
                                                          SystemCall::SleepOf(4), Ptr(UP, 32767, 32767),
                                                          Post(0x70, WT_PACKET, 4, 7)});
        const std::vector<RINGPACKET> ring = rig.Ring();
        REQUIRE(ring.size() == 2);
        CHECK(ring[0].serialNumber == 4);
        CHECK(ring[0].buttons == 1);
        CHECK(ring[0].normalPressure == 53);
        CHECK(ring[0].changed == 0x414);
        CHECK(ring[1].serialNumber == 5);
        CHECK(ring[1].changed == 0x414);
        CHECK(ring[1].buttons == 0);
        CHECK(rig.Buttons() == 0);
    }

    TEST_CASE("the contexts of a stroke stay while the left button is down")
    {
        PenRig rig(BuildPolicy::Library());
        rig.system.virtualDevice = true;
        rig.AddClient(7, 0x70, CTX_OPTION_SYSTEM_CURSOR | CTX_OPTION_PACKET_MESSAGES);
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 500));
        rig.registry.RemoveContext(7);
        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 500));
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        CHECK(rig.system.Of(SystemCall::Post).size() == 3);  // stroke packet, lift packet and its touching copy
        rig.system.Clear();
        rig.Feed(Pen(HOVER, MID_X, MID_Y, 0));
        CHECK(rig.system.calls == std::vector<SystemCall>{Virtual("0301A0FF3FFF3F0000")});
    }
}
