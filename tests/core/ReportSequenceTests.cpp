// Random sequences of pen and express-key reports, with client windows coming
// and going, pointer output switched and the panel changing settings, in all
// three builds. Seeded, so a failing sequence replays from its seed.
#include "DeviceReadState.h"
#include "ExpressKeys.h"
#include "HeldCalls.h"
#include "PenRig.h"
#include "PipelineReportSink.h"
#include "SeededRandom.h"

#include <doctest/doctest.h>

#include <cstring>
#include <initializer_list>
#include <string>

using namespace penreport;

namespace {

KEYACTION RandomAction(SeededRandom& random)
{
    KEYACTION action{};
    action.actionCode = random.Pick({ACTION_DISABLED, ACTION_LEFT_CLICK, ACTION_RIGHT_CLICK, ACTION_MIDDLE_CLICK,
                                     ACTION_DOUBLE_CLICK, ACTION_SCROLL_UP, ACTION_STRIP, ACTION_KEYSTROKE,
                                     ACTION_KEYSTROKE, ACTION_LAUNCH});
    for (int i = 0; i < 6; ++i)
        action.data[i] = static_cast<char>(random.Chance(50) ? 0x30 + random.Below(40) : 0);
    return action;
}

// One sequence: a pen and its tablet's express keys, as one read thread
// hands them to the pipeline, ending as the read thread ends.
class Sequence {
public:
    Sequence(const BuildPolicy& policy, uint32_t seed)
        : random_{seed}, rig_(policy, static_cast<uint16_t>(random_.Pick({8, 10})))
    {
        rig_.system.recordSleeps = false;
        rig_.system.virtualDevice = random_.Chance(50);
        rig_.system.swapped = random_.Chance(30);
        rig_.system.monitors = random_.Pick({1, 2});
        for (KEYACTION& button : rig_.pen->pen.penButton)
            button = RandomAction(random_);
        KEYACTION table[KEYS];
        for (KEYACTION& key : table)
            key = RandomAction(random_);
        table[4].actionCode = table[9].actionCode = ACTION_STRIP;
        REQUIRE(thread_.Init(rig_.header, rig_.mapping, KEYS, table, KEYS));
    }

    void Run(int steps)
    {
        for (int i = 0; i < steps; ++i) {
            Step();
            CheckRing();
        }
        if (random_.Chance(50)) {
            // Every key comes up, then the pen leaves.
            KeyReport(0, 0, 0, 0, 0);
            Receive(Leave());
            ending_ = "every key up, then proximity leave";
        } else {
            thread_.Removed(sink_);
            ending_ = "device removal";
        }
        CheckRing();
    }

    const std::vector<SystemCall>& Calls() const { return rig_.system.calls; }
    const char* Ending() const { return ending_; }
    uint32_t Buttons() const { return rig_.Buttons(); }
    bool LeftDownInjected() const { return rig_.state.leftDownInjected; }
    bool RingAlwaysInRange() const { return ringInRange_; }

private:
    void Step()
    {
        const uint32_t kind = random_.Below(100);
        if (kind < 55)
            PenReport();
        else if (kind < 80)
            KeyReport(RandomStrip(), RandomStrip(), RandomKeys(), RandomKeys(), random_.Chance(10) ? 0x10 : 0);
        else if (kind < 88)
            ClientCommand();
        else if (kind < 92)
            rig_.context.flags.pointerOutput.store(random_.Chance(70) ? 1 : 0);
        else if (kind < 94)
            rig_.pen->pen.penButton[random_.Below(2)] = RandomAction(random_);  // the panel saved another action
        else if (kind < 96)
            ReloadKeys();
        else
            rig_.connection->readIndex = static_cast<int32_t>(random_.Below(RING_CAPACITY));  // a reader took packets
    }

    void PenReport()
    {
        const uint16_t x = static_cast<uint16_t>(random_.Below(12000));
        const uint16_t y = static_cast<uint16_t>(random_.Below(9000));
        const uint16_t pressure = static_cast<uint16_t>(random_.Pick({0, 0, 30, 200, 700, 1023}));
        const uint8_t status = static_cast<uint8_t>(random_.Pick({HOVER, HOVER, HOVER, BUTTON1, BUTTON2, 0xE2, 0xE4}));
        const uint32_t kind = random_.Below(100);
        if (kind < 6)
            Receive(Tool(static_cast<uint16_t>(random_.Pick({0x802, 0x80A, 0x812})), 1, random_.Next()));
        else if (kind < 14)
            Receive(Leave());
        else if (kind < 18)
            Receive(RandomBytes());
        else
            Receive(rig_.header.InputReportByteLength_Pen == 8 ? Pen8(status, x, y, pressure)
                                                               : Pen(status, x, y, pressure));
    }

    // One read of the pen report length; byte 0 of 12 makes it an express-key report.
    void Receive(const RawPenReport& report)
    {
        std::memcpy(thread_.ReadBuffer(), report.bytes, sizeof report.bytes);
        thread_.Dispatch(thread_.ReadLength(), sink_);
    }

    // The panel saved a key table of another size and content; the thread reloads it.
    void ReloadKeys()
    {
        const KeyAreaView& area = rig_.context.keyArea;
        area.head()->record.keyCount = static_cast<int32_t>(random_.Below(KEYS + 3));
        for (int32_t i = 0; i < area.capacity(); ++i)
            RecordKeys(area.record())[i] = RandomAction(random_);
        thread_.ReloadKeys(area);
    }

    RawPenReport RandomBytes()
    {
        RawPenReport report;
        for (uint8_t& byte : report.bytes)
            byte = static_cast<uint8_t>(random_.Next());
        return report;
    }

    uint8_t RandomStrip() { return static_cast<uint8_t>(random_.Chance(20) ? 1 + random_.Below(12) : 0); }
    uint8_t RandomKeys() { return static_cast<uint8_t>(random_.Chance(40) ? 1u << random_.Below(8) : 0); }

    void KeyReport(uint8_t stripA, uint8_t stripB, uint8_t group1, uint8_t group2, uint8_t overlay)
    {
        RawPenReport report;
        report.bytes[0] = 12;
        // The second brand spreads each strip over two bytes.
        report.bytes[rig_.context.policy->keyReportSplitStrips ? 1 : 2] = stripA;
        report.bytes[4] = stripB;
        report.bytes[5] = group1;
        report.bytes[6] = group2;
        report.bytes[7] = overlay;
        Receive(report);
    }

    void ClientCommand()
    {
        const int32_t id = static_cast<int32_t>(1 + random_.Below(3));
        if (random_.Chance(40)) {
            rig_.registry.RemoveContext(id);
            return;
        }
        rig_.AddClient(id, 0x100u * static_cast<uint32_t>(id),
                       static_cast<uint32_t>(random_.Pick({0, 1, 4, 5, 12, 13})),
                       static_cast<uint32_t>(random_.Pick({CTX_STATUS_ON_TOP, CTX_STATUS_OBSCURED, 5})));
    }

    void CheckRing()
    {
        for (int32_t index : {rig_.connection->readIndex, rig_.connection->writeIndex})
            ringInRange_ = ringInRange_ && index >= 0 && index < RING_CAPACITY;
    }

    static constexpr int32_t KEYS = 18;

    SeededRandom random_;
    PenRig rig_;
    DeviceReadState thread_;
    PipelineReportSink sink_{rig_.state, rig_.pipeline, rig_.keys};
    const char* ending_ = "";
    bool ringInRange_ = true;
};

}  // namespace

TEST_SUITE("report sequences")
{
    TEST_CASE("after a leave or a removal nothing stays held, positions stay on the desktop, the ring in range")
    {
        for (ServiceBuild build : {ServiceBuild::Reference, ServiceBuild::SecondBrand, ServiceBuild::Library}) {
            for (uint32_t round = 0; round < 150; ++round) {
                const uint32_t seed = static_cast<uint32_t>(build) * 100003u + round;
                Sequence sequence(BuildPolicy::For(build), seed);
                sequence.Run(60);
                const HeldInputs held = HeldAfter(sequence.Calls());
                CAPTURE(seed);
                const std::string ending = sequence.Ending(), described = held.Describe();
                CAPTURE(ending);
                CAPTURE(described);
                CHECK_FALSE(held.AnyHeld());
                // Bit 0 alone may stay: the library's context commands set it without any injection.
                CHECK((sequence.Buttons() & (HELD_PEN_BUTTON1 | HELD_PEN_BUTTON2)) == 0);
                CHECK_FALSE(sequence.LeftDownInjected());
                CHECK(held.OffDesktopCount() == 0);
                CHECK(sequence.RingAlwaysInRange());
            }
        }
    }
}
