#include <doctest/doctest.h>

#include "KnobGeometry.h"

TEST_SUITE("knob geometry") {
    const KnobRange kPanelRange{0, 200};
    const KnobSquare kSquare{8, 8, 64, 64};  // a 100 x 80 client area
    const CPoint kCentre{40, 40};

    TEST_CASE("the disc takes 80 % of the shorter side, 10 % in") {
        CHECK(KnobGeometry::SquareForClient(100, 80) == kSquare);
        CHECK(KnobGeometry::Centre(kSquare) == kCentre);
        CHECK(KnobGeometry::SquareForClient(50, 200) == KnobSquare{5, 5, 40, 40});
    }

    TEST_CASE("angles sweep 270 degrees clockwise from the lower left") {
        struct Case { int value; int angle; };
        const Case cases[] = {{0, 135}, {1, 136}, {100, 270}, {199, 403}, {200, 405}};
        for (const Case& c : cases) {
            CAPTURE(c.value);
            CHECK(KnobGeometry::AngleOf(c.value, kPanelRange) == c.angle);
        }
    }

    TEST_CASE("the pointer ring sits 22 pixels from the centre") {
        // Straight up: cos(270 degrees) is a hair below 0, so x truncates to 39.
        CHECK(KnobGeometry::PointerPosition(kSquare, 100, kPanelRange) == CPoint(39, 18));
        const CPoint start = KnobGeometry::PointerPosition(kSquare, 0, kPanelRange);
        CHECK(start.x == 24);  // cos(135) x 22 = -15.56, truncated toward zero
        CHECK(start.y == 55);
    }

    TEST_CASE("ticks run from the rim inward by twice the inset") {
        struct Case { int inset; int value; CPoint point; };
        const Case cases[] = {
            {0, 100, {39, 8}}, {2, 100, {39, 12}}, {3, 100, {39, 14}},  // radius 32, 28, 26 at the top
            {0, 0, {17, 62}},                                             // lower left
            {0, 200, {62, 62}},                                           // lower right
        };
        for (const Case& c : cases) {
            CAPTURE(c.inset);
            CAPTURE(c.value);
            CHECK(KnobGeometry::TickPoint(c.inset, c.value, kSquare, kPanelRange) == c.point);
        }
    }

    TEST_CASE("an empty range points nowhere") {
        const KnobRange empty{5, 5};
        CHECK(KnobGeometry::PointerPosition(kSquare, 5, empty) == CPoint(0, 0));
        CHECK(KnobGeometry::TickPoint(1, 5, kSquare, empty) == CPoint(0, 0));
        CHECK(KnobGeometry::PointToValue(60, 10, kCentre, empty) == 5);
    }

    TEST_CASE("a point maps back to the value under it") {
        struct Case { const char* where; int x, y; int value; };
        const Case cases[] = {
            {"right", 70, 40, 166},       {"above", 40, 10, 100},   {"left", 10, 40, 33},
            {"below", 40, 70, 0},         {"gap, right", 45, 75, 200}, {"gap, left", 35, 75, 0},
            {"centre", 40, 40, 0},        {"upper right", 70, 10, 133}, {"far right, above", 400, 39, 166},
        };
        for (const Case& c : cases) {
            CAPTURE(c.where);
            CHECK(KnobGeometry::PointToValue(c.x, c.y, kCentre, kPanelRange) == c.value);
        }
    }

    TEST_CASE("a range that does not start at 0 is measured from its minimum") {
        const KnobRange shifted{100, 300};
        CHECK(KnobGeometry::AngleOf(200, shifted) == 270);
        CHECK(KnobGeometry::PointToValue(40, 10, kCentre, shifted) == 200);
        CHECK(KnobGeometry::PointToValue(40, 40, kCentre, shifted) == 100);
    }

    TEST_CASE("colours shift by one common step inside 0..255") {
        struct Case { std::uint32_t colour; int amount; std::uint32_t result; };
        const Case cases[] = {
            {0xFFF0F0F0, 55, 0xFFFFFFFF},  {0xFFF0F0F0, -25, 0xFFD7D7D7}, {0x80102030, 0, 0x80102030},
            {0xFF102030, 300, 0xFF102030}, {0xFF102030, -256, 0xFF102030}, {0xFF10F020, 50, 0xFF1FFF2F},
            {0xFF30F050, -100, 0xFF00C020}, {0x7F000000, 10, 0x7F0A0A0A},
            {0xFF404040, 0x10032, 0xFF727272},  // taken as a 16-bit amount: 0x0032 = 50
        };
        for (const Case& c : cases) {
            CAPTURE(c.colour);
            CAPTURE(c.amount);
            CHECK(KnobGeometry::ShiftColor(c.colour, c.amount) == c.result);
        }
    }

    TEST_CASE("system colours become opaque ARGB") {
        CHECK(KnobGeometry::ArgbFromColorref(RGB(0x12, 0x34, 0x56)) == 0xFF123456u);
    }
}
