#include "DeviceReadState.h"
#include "ExpressKeys.h"
#include "HeldCalls.h"
#include "KeyActions.h"
#include "PenRig.h"
#include "PipelineReportSink.h"
#include "ServiceFixture.h"

#include <doctest/doctest.h>

using namespace penreport;

namespace {

SystemCall P(uint32_t flags) { return SystemCall::PointerOf(flags); }
SystemCall M(uint32_t flags) { return SystemCall::MouseOf(flags); }
SystemCall K(uint8_t vk, uint32_t flags = 0) { return SystemCall::KeyOf(vk, flags); }

constexpr uint32_t LEFT_DOWN = MOUSE_VIRTUALDESK | MOUSE_LEFTDOWN, LEFT_UP = MOUSE_VIRTUALDESK | MOUSE_LEFTUP;
constexpr uint32_t RIGHT_DOWN = MOUSE_VIRTUALDESK | MOUSE_RIGHTDOWN, RIGHT_UP = MOUSE_VIRTUALDESK | MOUSE_RIGHTUP;

struct KeysFixture : ServiceFixture {
    std::vector<KEYACTION> table = std::vector<KEYACTION>(18);
    HeldKeys held;

    explicit KeysFixture(const BuildPolicy& policy = BuildPolicy::Reference()) : ServiceFixture(policy)
    {
        system.recordSleeps = false;
    }
    void Act(int index, int32_t pressed)
    {
        const KeyTableRef ref{static_cast<int32_t>(table.size()), table.data()};
        actions.PerformAction(index, pressed, &ref, &held);
    }
};

// A library rig with the virtual pen touching at the middle of the screen.
struct TouchingVirtualPen : PenRig {
    TouchingVirtualPen() : PenRig(BuildPolicy::Library())
    {
        system.virtualDevice = true;
        Feed(Pen(HOVER, 5103, 3711, 0));
        Feed(Pen(HOVER, 5103, 3711, 500));
        REQUIRE(HeldAfter(system.calls).Describe() == " virtual-tip");
    }
};

}  // namespace

// Each case here once left a button or key down in the system.
TEST_SUITE("nothing stays held")
{
    TEST_CASE("a pen-button action changed while held is released as it was pressed")
    {
        for (bool newPen : {false, true}) {
            CAPTURE(newPen);
            PenRig rig;
            rig.pen->pen.penButton[0] = Action(ACTION_RIGHT_CLICK);
            rig.Feed(Pen(BUTTON1, 100, 100, 0));
            if (newPen)
                rig.Feed(Tool(0x812, 3, 77));  // no pen file: the defaults double-click
            else
                rig.pen->pen.penButton[0] = Action(ACTION_KEYSTROKE, {0x41});  // the panel saved another action
            rig.Feed(Pen(HOVER, 100, 100, 0));
            CHECK(rig.system.Of(SystemCall::Pointer) ==
                  std::vector<SystemCall>{P(RIGHT_DOWN), P(RIGHT_UP)});
            CHECK(rig.system.Of(SystemCall::Key).empty());
        }
    }

    TEST_CASE("a click held while the buttons become swapped comes up on the button that went down")
    {
        KeysFixture f;
        f.table[0] = Action(ACTION_LEFT_CLICK);
        f.pen->pen.penButton[1] = Action(ACTION_RIGHT_CLICK);
        f.Act(0, 1);
        f.actions.PerformAction(1, 1, nullptr);
        f.context.flags.swappedButtons = 1;  // a new pen's identification sampled the system's setting
        f.Act(0, 0);
        f.actions.PerformAction(1, 0, nullptr);
        CHECK(f.system.calls == std::vector<SystemCall>{P(LEFT_DOWN), P(RIGHT_DOWN), P(LEFT_UP), P(RIGHT_UP)});
        f.system.Clear();
        f.Act(0, 1);  // the next press follows the new setting
        CHECK(f.system.calls == std::vector<SystemCall>{P(RIGHT_DOWN)});
    }

    TEST_CASE("a tablet that goes away lets go of its keys as they were pressed, after a key reload too")
    {
        PenRig rig;
        rig.system.recordSleeps = false;
        KEYACTION keys[6] = {};
        keys[3] = Action(ACTION_KEYSTROKE, {0x11, 0x43});
        keys[5] = Action(ACTION_RIGHT_CLICK);
        DeviceReadState thread;
        REQUIRE(thread.Init(rig.header, rig.mapping, 6, keys, 6));
        PipelineReportSink sink(rig.state, rig.pipeline, rig.keys);
        const uint8_t pressed[10] = {12, 0, 0, 0, 0, 0x08, 0x01};  // slot 3 and slot 5 down
        std::memcpy(thread.ReadBuffer(), pressed, sizeof pressed);
        REQUIRE(thread.Dispatch(10, sink));
        // The panel saved other actions for both keys meanwhile.
        KeyAreaSectionHead& area = *rig.context.keyArea.head();
        area.record.keyCount = 6;
        RecordKeys(&area.record)[3] = Action(ACTION_KEYSTROKE, {0x41});
        RecordKeys(&area.record)[5] = Action(ACTION_LEFT_CLICK);
        thread.ReloadKeys(rig.context.keyArea);
        rig.system.Clear();
        thread.Removed(sink);
        CHECK(rig.system.Events() ==
              std::vector<SystemCall>{K(0x43, KEY_UP), K(0x11, KEY_UP), P(RIGHT_UP)});
    }

    TEST_CASE("a stroke begun on the virtual pen and lifted through the pointer lifts the virtual pen")
    {
        TouchingVirtualPen rig;
        rig.AddClient(7, 0x70, CTX_OPTION_SYSTEM_CURSOR);  // a client window came on top
        rig.Feed(Pen(HOVER, 5103, 3711, 0));
        CHECK_FALSE(HeldAfter(rig.system.calls).AnyHeld());
        CHECK(rig.Buttons() == 0);
    }

    TEST_CASE("a pen leaving while the virtual pen touches, with a client window on top, takes it out of range")
    {
        TouchingVirtualPen rig;
        rig.AddClient(7, 0x70, CTX_OPTION_SYSTEM_CURSOR);
        rig.system.Clear();
        rig.Feed(Leave());
        const std::vector<SystemCall> calls = rig.system.calls;
        REQUIRE(calls.size() >= 4);
        CHECK(calls[calls.size() - 3] == M(LEFT_UP));  // what a client on top always gets
        CHECK(calls.back().text.substr(0, 6) == "030180");
        CHECK_FALSE(HeldAfter(calls).AnyHeld());
    }

    TEST_CASE("a device removed while the tablet area is empty still lifts the virtual pen")
    {
        for (bool leaveDropped : {false, true}) {
            CAPTURE(leaveDropped);
            TouchingVirtualPen rig;
            rig.mapping.tabletArea = {0, 0, 0, 0};  // the panel saved an empty area meanwhile
            if (leaveDropped)
                rig.Feed(Leave());  // a report the pipeline cannot take without an area
            rig.pipeline.DeviceRemoved(rig.mapping, !leaveDropped);
            CHECK_FALSE(HeldAfter(rig.system.calls).AnyHeld());
            CHECK(rig.Buttons() == 0);
        }
    }
}

namespace {

// A tablet's read thread with a one-key table, handing its reads to the pipeline.
struct ScriptedTablet {
    DeviceReadState thread;
    PipelineReportSink sink;

    // key: the action of slot 5 (group 2, bit 0), which every build acts on.
    ScriptedTablet(PenRig& rig, const KEYACTION& key) : sink(rig.state, rig.pipeline, rig.keys)
    {
        KEYACTION table[6] = {};
        table[5] = key;
        REQUIRE(thread.Init(rig.header, rig.mapping, 6, table, 6));
    }
    void Send(const RawPenReport& report)
    {
        std::memcpy(thread.ReadBuffer(), report.bytes, sizeof report.bytes);
        REQUIRE(thread.Dispatch(thread.ReadLength(), sink));
    }
    void Keys(uint8_t group2, uint8_t group1 = 0)
    {
        RawPenReport report{};
        report.bytes[0] = 12;
        report.bytes[5] = group1;
        report.bytes[6] = group2;
        Send(report);
    }
    // The read thread's removal path.
    void Unplug()
    {
        thread.Removed(sink);
    }
};

}  // namespace

TEST_SUITE("several tablets and their removal")
{
    TEST_CASE("two tablets pressing the same key slot each let go of their own keys")
    {
        PenRig rig;
        rig.system.recordSleeps = false;
        ScriptedTablet first(rig, Action(ACTION_KEYSTROKE, {0x11, 0x41}));
        ScriptedTablet second(rig, Action(ACTION_KEYSTROKE, {0x10, 0x42}));
        first.Keys(0x01);
        second.Keys(0x01);
        first.Keys(0x00);
        CHECK(rig.system.Events() == std::vector<SystemCall>{K(0x11), K(0x41), K(0x10), K(0x42), K(0x41, KEY_UP),
                                                             K(0x11, KEY_UP)});
        rig.system.Clear();
        second.Unplug();
        CHECK(rig.system.Events() == std::vector<SystemCall>{K(0x42, KEY_UP), K(0x10, KEY_UP)});
    }

    TEST_CASE("a tablet goes away posting only what its pen had started")
    {
        struct Row { const char* name; const BuildPolicy& policy; bool penCame; bool penLeft; };
        const Row rows[] = {{"express keys only", BuildPolicy::Reference(), false, false},
                            {"express keys only, second brand", BuildPolicy::SecondBrand(), false, false},
                            {"express keys only, library", BuildPolicy::Library(), false, false},
                            {"pen came and left, second brand", BuildPolicy::SecondBrand(), true, true},
                            {"pen in range", BuildPolicy::Reference(), true, false}};
        for (const Row& row : rows) {
            CAPTURE(row.name);
            PenRig rig(row.policy);
            rig.system.recordSleeps = false;
            rig.AddClient(7, 0x70, CTX_OPTION_CSRCHANGE_MESSAGES | CTX_OPTION_PACKET_MESSAGES);
            ScriptedTablet tablet(rig, Action(ACTION_KEYSTROKE, {0x41}));
            if (row.penCame)
                tablet.Send(Pen(HOVER, 100, 100, 0));
            if (row.penLeft)
                tablet.Send(Leave());
            tablet.Keys(0x01);
            rig.Settle();
            rig.connection->writeIndex = 3;  // packets the client has not read yet
            tablet.Unplug();

            // The second brand's keys press nothing until they are released.
            std::vector<SystemCall> expected;
            if (!row.policy.keyReportSplitStrips)
                expected.push_back(K(0x41, KEY_UP | (row.policy.keystrokeExtendedKeys ? KEY_EXTENDED : 0)));
            if (row.penCame && !row.penLeft)
                expected.push_back(Post(0x70, WT_PROXIMITY, 7, PROXIMITY_LEAVE));
            CHECK(rig.system.Events() == expected);
            CHECK(rig.connection->writeIndex == (row.penCame && !row.penLeft ? 0 : 3));
            CHECK(rig.context.flags.clientsOrToolChanged.load() == 0);
        }
    }

    TEST_CASE("a tablet taken away with its keys and pen button held lets go of them and runs no action")
    {
        struct Row { const char* name; const BuildPolicy& policy; uint8_t group1; uint8_t group2; };
        const Row rows[] = {{"launch key", BuildPolicy::Reference(), 0, 0x01},
                            {"launch key, library", BuildPolicy::Library(), 0, 0x01},
                            {"launch key, second brand", BuildPolicy::SecondBrand(), 0, 0x01},
                            {"client key, second brand", BuildPolicy::SecondBrand(), 0x01, 0}};
        for (const Row& row : rows) {
            CAPTURE(row.name);
            PenRig rig(row.policy);
            rig.system.recordSleeps = false;
            rig.AddClient(7, 0x70, CTX_OPTION_PACKET_MESSAGES);
            rig.pen->pen.penButton[0] = Action(ACTION_LAUNCH, {'p', 'e', 'n'});
            rig.pen->pen.penButton[1] = Action(ACTION_LAUNCH, {'p', 'e', 'n'});
            ScriptedTablet tablet(rig, Action(ACTION_LAUNCH, {'k', 'e', 'y'}));
            tablet.Send(Pen(BUTTON1, 100, 100, 0));
            tablet.Keys(row.group2, row.group1);
            rig.Settle();
            tablet.Unplug();
            CHECK(rig.system.Of(SystemCall::ShellOpen).empty());
            for (const SystemCall& post : rig.system.Of(SystemCall::Post))
                CHECK(post.b != WM_EXPRESSKEY_DATA);
            CHECK((rig.Buttons() & (HELD_PEN_BUTTON1 | HELD_PEN_BUTTON2)) == 0);
        }
    }

    TEST_CASE("a tablet's end lets go of what its pen pressed though another tablet's report came last")
    {
        struct Row { const char* name; const BuildPolicy& policy; uint8_t status; uint16_t pressure; };
        const Row rows[] = {{"tip", BuildPolicy::Reference(), HOVER, 500},
                            {"pen button, second brand", BuildPolicy::SecondBrand(), BUTTON2, 0},
                            {"virtual tip, library", BuildPolicy::Library(), HOVER, 500}};
        for (const Row& row : rows) {
            for (bool otherDropped : {false, true}) {
                CAPTURE(row.name);
                CAPTURE(otherDropped);
                PenRig rig(row.policy);
                rig.system.recordSleeps = false;
                rig.system.virtualDevice = true;
                ScriptedTablet ending(rig, Action(ACTION_KEYSTROKE, {0xA0}));  // left Shift, as by default
                ScriptedTablet other(rig, Action(ACTION_KEYSTROKE, {0x42}));
                ending.Send(Pen(row.status, 5103, 3711, 0));
                ending.Send(Pen(row.status, 5103, 3711, row.pressure));
                ending.Keys(0x01);
                REQUIRE(HeldAfter(rig.system.calls).AnyHeld());
                if (otherDropped) {
                    // Its mapping has no area: its leave goes no further.
                    rig.context.keyArea.head()->record.mapping.tabletArea = {0, 0, 0, 0};
                    other.thread.ReloadMapping(rig.context.keyArea);
                    other.Send(Leave());
                } else {
                    other.Send(Tool(0x812, 3, 77));
                }
                ending.Unplug();
                CHECK(HeldAfter(rig.system.calls).Describe() == "");
            }
        }
    }

    TEST_CASE("taking one tablet away leaves the other tablet's pen as it is")
    {
        for (bool itsPenCame : {false, true}) {
            CAPTURE(itsPenCame);
            PenRig rig;
            rig.system.recordSleeps = false;
            rig.AddClient(7, 0x70, CTX_OPTION_PACKET_MESSAGES);
            ScriptedTablet goes(rig, Action(ACTION_KEYSTROKE, {0x41}));
            ScriptedTablet stays(rig, Action(ACTION_KEYSTROKE, {0x42}));
            if (itsPenCame)
                goes.Send(Pen(HOVER, 100, 100, 0));  // and never left: the other pen took over
            stays.Send(Pen(HOVER, 5103, 3711, 0));
            stays.Send(Pen(HOVER, 5103, 3711, 500));
            REQUIRE(rig.Buttons() == HELD_LEFT_BUTTON);
            rig.Settle();
            goes.Unplug();
            CHECK(rig.system.Events().empty());
            CHECK(rig.Buttons() == HELD_LEFT_BUTTON);
            stays.Unplug();
            CHECK(rig.system.Of(SystemCall::Pointer).size() + rig.system.Of(SystemCall::Mouse).size() == 1);
            CHECK(rig.system.Of(SystemCall::Post) == std::vector<SystemCall>{Post(0x70, WT_PROXIMITY, 7, PROXIMITY_LEAVE)});
            CHECK(rig.Buttons() == 0);
        }
    }
}
