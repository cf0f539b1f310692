#include "PenGeometry.h"
#include "PenPressure.h"
#include "PenRig.h"
#include "TabletRecordBuilder.h"

#include <doctest/doctest.h>

using namespace penreport;

TEST_SUITE("pen decoding")
{
    TEST_CASE("pressure bits of both report layouts")
    {
        RawPenReport full = Pen(0xA1, 0, 0, 0);
        full.bytes[6] = 0xFF;
        full.bytes[7] = 0xC0;
        CHECK(PenPressure::Decode(full.bytes, 10, 1023) == 1023);
        CHECK(PenPressure::Decode(full.bytes, 10, 2048) == 2047);
        full.bytes[1] = 0xA0;
        CHECK(PenPressure::Decode(full.bytes, 10, 2048) == 2046);
        CHECK(PenPressure::Decode(Pen8(0xA0, 0, 0, 0x0123).bytes, 8, 1023) == 0x123);
    }

    TEST_CASE("pressure curve")
    {
        struct Row { int32_t p, sensitivity; bool roundUp; int32_t expected; };
        const Row rows[] = {
            {512, 100, false, 512}, {512, 200, false, 256}, {512, 200, true, 257}, {512, 150, false, 384},
            {512, 150, true, 385},  {256, 0, false, 511},   {512, 50, false, 632}, {1023, 200, false, 1023},
            {0, 0, false, 0},
        };
        for (const Row& row : rows) {
            CAPTURE(row.p);
            CAPTURE(row.sensitivity);
            CHECK(PenPressure::ApplyCurve(row.p, row.sensitivity, 1023, row.roundUp) == row.expected);
        }
    }

    TEST_CASE("click threshold 43: 44 touches with pressure 1, 43 does not")
    {
        struct Row { uint16_t raw; uint8_t status; uint16_t pressure; };
        const Row rows[] = {{43, 0, 0}, {44, 1, 1}, {1023, 1, 1023}, {0, 0, 0}};
        for (const Row& row : rows) {
            PenRig rig;
            rig.Feed(Pen(HOVER, 100, 100, row.raw));
            CAPTURE(row.raw);
            CHECK(rig.Status() == row.status);
            CHECK(rig.Pressure() == row.pressure);
        }
    }

    TEST_CASE("tilt to orientation")
    {
        struct Row { uint8_t tx, ty; int32_t azimuth, altitude; };
        const Row rows[] = {
            {32, 64, 1800, 900}, {48, 96, 1349, 508}, {63, 127, 1360, 300}, {0, 0, 3149, 300},
            {32, 0, 0, 300},     {48, 65, 900, 600},  {16, 64, 2700, 600},
        };
        for (const Row& row : rows) {
            int32_t azimuth = -1, altitude = -1;
            PenGeometry::TiltToOrientation(Pen(HOVER, 0, 0, 0, row.tx, row.ty).bytes, azimuth, altitude);
            CAPTURE(int(row.tx));
            CAPTURE(int(row.ty));
            CHECK(azimuth == row.azimuth);
            CHECK(altitude == row.altitude);
        }
    }

    TEST_CASE("the frame carries azimuth and the altitude less the tilt sensitivity")
    {
        PenRig rig;
        struct Row { uint8_t tx, ty; uint16_t azimuth; int16_t altitude; };
        const Row rows[] = {{48, 96, 1349, 408}, {48, 96, 1349, 408}, {32, 64, 1800, 800}, {0, 0, 3149, 200}};
        for (const Row& row : rows) {
            rig.Feed(Pen(HOVER, 100, 100, 0, row.tx, row.ty));
            CHECK(FrameU16(rig.state.previous, 8) == row.azimuth);
            CHECK(static_cast<int16_t>(FrameU16(rig.state.previous, 10)) == row.altitude);
        }
        rig.header.InputReportByteLength_Pen = 8;
        rig.Feed(Pen8(HOVER, 100, 100, 0));
        CHECK(FrameU16(rig.state.previous, 8) == 0);
        CHECK(FrameU16(rig.state.previous, 10) == 900);
    }

    TEST_CASE("rotation within the tablet's extents")
    {
        struct Row { int32_t orientation; uint16_t x, y; };
        const Row rows[] = {{0, 1000, 2000}, {0x200, 9206, 5422}, {0x100, 7456, 727}, {0x300, 2750, 6695},
                            {0x123, 1000, 2000}};
        TABLETINFO header = TabletRecordBuilder(0, 0).PenReport(10).Extent(10206, 7422).Model();
        for (const Row& row : rows) {
            RawPenReport report = Pen(HOVER, 1000, 2000, 0);
            PenGeometry::RotateReport(header, report.bytes, row.orientation);
            CAPTURE(row.orientation);
            CHECK(FrameU16(report.bytes, 2) == row.x);
            CHECK(FrameU16(report.bytes, 4) == row.y);
        }
        header.InputReportByteLength_Pen = 8;
        RawPenReport little = Pen8(HOVER, 1000, 2000, 0);
        PenGeometry::RotateReport(header, little.bytes, 0);
        CHECK(FrameU16(little.bytes, 2) == 1000);
    }

    TEST_CASE("a pen button held while the tip presses keeps the tip up until released")
    {
        PenRig rig;
        struct Step { RawPenReport report; uint8_t status; uint16_t pressure; };
        const Step steps[] = {
            {Pen(HOVER, 100, 100, 0), 0, 0},      {Pen(BUTTON1, 100, 100, 0), 2, 0},
            {Pen(BUTTON1, 100, 100, 500), 2, 0},  {Pen(HOVER, 100, 100, 500), 0, 0},
            {Pen(HOVER, 100, 100, 500), 1, 477},  // (500 - 43) * 1023 / 980
        };
        for (const Step& step : steps) {
            rig.Feed(step.report);
            CHECK(rig.Status() == step.status);
            CHECK(rig.Pressure() == step.pressure);
        }
    }

    TEST_CASE("a tool identification zeroes the pressure of the next three packets that carry any")
    {
        PenRig rig;
        rig.Feed(Tool(0x802));
        const uint16_t pressures[] = {0, 500, 500, 1, 500};
        const uint8_t statuses[] = {0, 0, 0, 0, 1};
        for (int i = 0; i < 5; ++i) {
            rig.Feed(Pen(HOVER, 100, 100, pressures[i]));
            CAPTURE(i);
            CHECK(rig.Status() == statuses[i]);
        }
    }

    TEST_CASE("tool identification: reload only for another id and serial, message, debounce, swapped buttons")
    {
        struct Row { uint16_t toolId; uint8_t nibble; uint32_t serial; bool model; int32_t sensitivity, button1, button2; };
        const Row rows[] = {
            {0x802, 5, 0x01020304, false, 77, ACTION_RIGHT_CLICK, ACTION_MIDDLE_CLICK},  // same id
            {0x812, 0, 0, false, 77, ACTION_RIGHT_CLICK, ACTION_MIDDLE_CLICK},           // same serial
            {0x812, 5, 0x01020304, false, 100, ACTION_DOUBLE_CLICK, ACTION_RIGHT_CLICK},
            {0x812, 5, 0x01020304, true, 100, ACTION_RIGHT_CLICK, ACTION_DOUBLE_CLICK},
        };
        for (const Row& row : rows) {
            PenRig rig;
            rig.AddClient(7, 0x70, 0);
            rig.Settle();
            rig.pen->pen.pressureSensitivity = 77;
            rig.context.flags.modelFlag.store(row.model ? 1 : 0);
            rig.Feed(Tool(row.toolId, row.nibble, row.serial));

            CAPTURE(row.toolId);
            const PENSETTINGS& pen = rig.pen->pen;
            CHECK(pen.pressureSensitivity == row.sensitivity);
            CHECK(pen.penButton[0].actionCode == row.button1);
            CHECK(pen.penButton[1].actionCode == row.button2);
            CHECK(static_cast<uint16_t>(pen.toolId) == row.toolId);
            CHECK(pen.serialNibble == row.nibble);
            CHECK(rig.system.calls ==
                  std::vector<SystemCall>{Post(0x70, WM_PEN_TOOL_ID, uint32_t(row.toolId) << 16 | row.nibble, row.serial)});
            CHECK(rig.state.toolDebounce == 3);
            CHECK(rig.state.toolPacket == 1);
        }
        PenRig rig;
        rig.system.swapped = true;
        rig.Feed(Tool(0x802));
        CHECK(rig.context.flags.swappedButtons.load() == 1);
    }

}
