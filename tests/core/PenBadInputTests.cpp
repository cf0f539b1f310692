#include "PenPressure.h"
#include "PenRig.h"
#include "SeededRandom.h"

#include <doctest/doctest.h>

#include <climits>

using namespace penreport;

namespace {

void CheckInjectedPositions(const RecordingSystem& system)
{
    for (const SystemCall& call : system.calls) {
        if (call.kind != SystemCall::Pointer || (call.a & MOUSE_ABSOLUTE) == 0)
            continue;
        CAPTURE(call.ToString());
        CHECK(call.b >= 0);
        CHECK(call.b <= 0xFFFF);
        CHECK(call.c >= 0);
        CHECK(call.c <= 0xFFFF);
    }
}

}  // namespace

TEST_SUITE("pen bad input")
{
    TEST_CASE("a tablet area of zero or negative size drops every report")
    {
        const RECT32 areas[] = {{0, 0, 0, 7422}, {0, 0, 10206, 0}, {10206, 0, 0, 7422}, {0, 7422, 10206, 0}};
        for (const RECT32& area : areas) {
            PenRig rig;
            rig.mapping.tabletArea = area;
            for (const RawPenReport& report : {Tool(0x812, 1, 2), Pen(HOVER, 10, 10, 500), Leave()})
                rig.Feed(report);
            CHECK(rig.system.calls.empty());
            CHECK(rig.state.toolPacket == 0);
        }
    }

    TEST_CASE("pen packets of another length are dropped, tool and leave reports still count")
    {
        for (uint16_t length : {0, 1, 9, 11, 64, 0xFFFF}) {
            PenRig rig(BuildPolicy::Reference(), length);
            rig.Feed(Pen(HOVER, 10, 10, 500));
            CHECK(rig.system.calls.empty());
            rig.Feed(Tool(0x802));
            CHECK(rig.state.toolPacket == 1);
            rig.context.flags.buttonState.store(HELD_LEFT_BUTTON);
            rig.Feed(Leave());
            CHECK(rig.Buttons() == 0);
        }
    }

    TEST_CASE("a pressure range of 0 or a threshold at or above the range stays bounded")
    {
        struct Row { int32_t pressureMax, threshold, sensitivity; uint16_t raw; uint8_t status; };
        const Row rows[] = {
            {0, 43, 100, 500, 1}, {0, 43, 200, 500, 1}, {1023, 1023, 100, 1023, 0},
            {1023, 5000, 0, 0xFFFF, 1}, {1023, -50, 100, 0, 0}, {1023, 43, INT_MAX, 0xFFFF, 1},
            {1023, 43, INT_MIN, 0xFFFF, 1},
        };
        for (const Row& row : rows) {
            PenRig rig(BuildPolicy::Reference(), 8);
            rig.header.pressureMax = row.pressureMax;
            rig.pen->pen.clickSensitivity = row.threshold;
            rig.pen->pen.pressureSensitivity = row.sensitivity;
            rig.Feed(Pen8(HOVER, 10, 10, row.raw));
            CAPTURE(row.threshold);
            CAPTURE(row.sensitivity);
            CHECK(rig.Status() == row.status);
        }
        CHECK(PenPressure::AboveThreshold(0xFFFF, 5000, 1023, false) == 0xFFFF - 5000);
        CHECK(PenPressure::AboveThreshold(0xFFFF, 5000, 1023, true) == 0xFFFF - 5000);
        CHECK(PenPressure::ApplyCurve(0xFFFF, INT_MAX, 1023, true) == PenPressure::MAX_PRESSURE);
    }

    TEST_CASE("the packet clock wraps like the tick count, also when the counter runs back")
    {
        PenRig rig;
        rig.state.packetClock = 0xFFFFFFF0u;
        rig.system.counter = 100;  // 100 ms at 1000 counts per second
        rig.Feed(Pen(HOVER, 10, 10, 0));
        CHECK(rig.state.packetClock == 0x54u);
        rig.system.counter = -1000000;
        rig.Feed(Pen(HOVER, 10, 10, 0));
        CHECK(rig.state.packetClock == 0x54u - 1000100u);
        rig.context.counterFrequency = 0;
        rig.system.Clear();
        rig.Feed(Pen(HOVER, 10, 10, 0));
        CHECK(rig.system.calls.empty());
    }

    TEST_CASE("random reports, settings, extents and mappings never inject outside the desktop")
    {
        for (ServiceBuild build : {ServiceBuild::Reference, ServiceBuild::SecondBrand, ServiceBuild::Library}) {
            SeededRandom random{static_cast<uint32_t>(build) * 7919u + 1u};
            for (int round = 0; round < 40; ++round) {
                PenRig rig(BuildPolicy::For(build), static_cast<uint16_t>(random.Pick({8, 10})));
                rig.system.virtualDevice = true;
                rig.system.monitors = random.Pick({1, 2});
                rig.header.xMin = random.Pick({0, 100, -5, INT_MIN});
                rig.header.xMax = random.Pick({10206, 0, 65535, INT_MAX, -1});
                rig.header.yMax = random.Pick({7422, 0, INT_MIN});
                rig.header.pressureMin = random.Pick({0, INT_MIN});
                rig.header.pressureMax = random.Pick({1023, 2048, 0, INT_MAX});
                rig.mapping.tabletArea = {random.Pick({0, -70000, INT_MIN}), 0, random.Pick({10206, 1, INT_MAX}), 7422};
                rig.mapping.screenArea = {random.Pick({0, INT_MIN, 40000}), 0, random.Pick({0xFFFF, INT_MAX, -9}),
                                          random.Pick({0xFFFF, INT_MIN})};
                rig.SyncKeyArea();
                rig.context.keyArea.head()->record.mapping.screenArea = {INT_MIN, INT_MAX, INT_MAX, INT_MIN};
                rig.context.flags.rotationCode.store(random.Pick({0, 0x100, 0x200, 0x300}));
                PENSETTINGS& pen = rig.pen->pen;
                pen.pressureSensitivity = random.Pick({100, 0, 200, -1000, INT_MAX, INT_MIN});
                pen.clickSensitivity = random.Pick({43, 0, -1, 2048, INT_MAX, INT_MIN});
                pen.tiltSensitivity = random.Pick({100, INT_MAX, INT_MIN});
                if (random.Next() % 2)
                    rig.AddClient(7, 0x70, random.Pick({0, 1, 4, 8, 13}));

                for (int i = 0; i < 60; ++i) {
                    RawPenReport report;
                    for (uint8_t& byte : report.bytes)
                        byte = static_cast<uint8_t>(random.Next());
                    report.bytes[1] = static_cast<uint8_t>(
                        random.Pick({0xC2, 0x80, 0xA0, 0xA1, 0xA2, 0xA4, 0xE2, 0xE4, report.bytes[1]}));
                    rig.Feed(report);
                    if (report.bytes[1] == 0x80) {
                        CHECK((rig.Buttons() & (HELD_PEN_BUTTON1 | HELD_PEN_BUTTON2)) == 0);
                        CHECK_FALSE(rig.state.leftDownInjected);
                    }
                }
                CheckInjectedPositions(rig.system);
                CHECK(FrameU16(rig.state.previous, 6) <= PenPressure::MAX_PRESSURE);
            }
        }
    }
}
