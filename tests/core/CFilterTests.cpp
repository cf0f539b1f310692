#include "CFilter.h"

#include <doctest/doctest.h>

#include <climits>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace {

// Feeds `count` tip-down samples of a straight stroke; returns the X outputs.
std::vector<uint16_t> Stroke(CFilter& filter, int32_t x, int32_t y, int32_t dx, int32_t dy, int count)
{
    std::vector<uint16_t> outputs;
    for (int i = 0; i < count; ++i) {
        uint16_t outX = static_cast<uint16_t>(x + dx * i), outY = static_cast<uint16_t>(y + dy * i);
        filter.Process(outX, outY, 1);
        outputs.push_back(outX);
    }
    return outputs;
}

}  // namespace

TEST_SUITE("smoothing filter")
{
    TEST_CASE("direction of a step and turn between two directions")
    {
        struct Row { int32_t dx, dy; uint8_t direction; };
        for (const Row& row : {Row{10, 0, 0}, Row{0, 10, 64}, Row{-10, 0, 128}, Row{0, -10, 192}, Row{5, -5, 224},
                               Row{-5, -5, 160}, Row{100, 3, 1}, Row{3, 100, 63}, Row{-100, -3, 129}, Row{100, -3, 255},
                               Row{1000, -1, 0}, Row{INT_MIN, 1, 128}, Row{1, INT_MIN, 192}}) {
            CAPTURE(row.dx);
            CAPTURE(row.dy);
            CHECK(CFilter::Direction(row.dx, row.dy) == row.direction);
        }
        struct TurnRow { uint8_t previous, current; int8_t turn; };
        for (const TurnRow& row : {TurnRow{10, 250, -16}, TurnRow{250, 10, 16}, TurnRow{10, 26, 16},
                                   TurnRow{26, 10, -16}, TurnRow{0, 128, -128}, TurnRow{128, 0, -128}}) {
            CAPTURE(int(row.previous));
            CHECK(CFilter::Turn(row.previous, row.current) == row.turn);
        }
    }

    TEST_CASE("a straight stroke has turn level 3 and the first sample of the next comes out unchanged")
    {
        CFilter filter;
        for (int32_t p : {0, 1234, 65535}) {
            Stroke(filter, 2000, 3000, 3, 1, 12);
            CHECK(filter.TurnLevel() == 3);
            filter.Reset(0);
            CHECK(Stroke(filter, p, p, 0, 0, 1)[0] == p);
            CHECK(filter.CurrentMode() == 1);
            CHECK(filter.SmoothingLevel() == 8);
        }
    }

    TEST_CASE("a stroke that turns at its last step weighs the turn against the steady ones")
    {
        // Seven steps of 10 along x, then one of (10, 3): direction 12, a turn of 12.
        // W = 70, mean = 120 / 70 = 1, variance = 1440 / 70 - 1 = 19, spread 4,
        // h = 11: (11 + 4 - 1) / 16 + 3 = 3, and h > spread adds 11 / 4.
        CFilter filter;
        Stroke(filter, 1000, 1000, 10, 0, 7);
        uint16_t x = 1070, y = 1003;
        filter.Process(x, y, 1);
        CHECK(filter.TurnLevel() == 5);
    }

    TEST_CASE("fast strokes take the three-point mode and level 3")
    {
        CFilter filter;
        // The level falls by one a sample to 4, then the sixth sample switches:
        // it is the mean of the new three-point result and the old mode's
        // (raw averaging over a window of 0 leaves 1200 as it is).
        const std::vector<uint16_t> outputs = Stroke(filter, 1000, 1000, 40, 10, 10);
        CHECK(outputs[5] == ((1120 + 4 * 1160 + 1200 + 3) / 6 + 1200) / 2);
        CHECK(outputs[6] == (1160 + 4 * 1200 + 1240 + 3) / 6);
        CHECK(filter.CurrentMode() == 3);
        CHECK(filter.SmoothingLevel() == 3);
        CHECK(filter.CurrentWindow() == 3);  // the full-history path's window
    }

    TEST_CASE("the short slow-stroke threshold of the second brand averages raw samples sooner")
    {
        for (int16_t variant : {0, 1023}) {
            CFilter filter;
            filter.SetThresholdVariant(variant);
            Stroke(filter, 5000, 5000, 2, 2, 20);
            CHECK(filter.CurrentMode() == (variant == 1023 ? 2 : 1));
        }
    }

    TEST_CASE("a jittering report stream never asks for a window below zero")
    {
        // Two interleaved positions drifting apart: the turn level sinks to its floor.
        for (int32_t drift = 10; drift <= 30; drift += 4) {
            CFilter filter;
            for (int i = 0; i < 60; ++i) {
                uint16_t p = static_cast<uint16_t>(i % 2 == 0 ? 30000 + i / 2 * drift : 30000 - i / 2 * drift);
                filter.Process(p, p, 1);
                REQUIRE(filter.SmoothingLevel() <= 8);
                REQUIRE(filter.CurrentWindow() >= 0);
                REQUIRE(std::abs(p - 30000) <= 30 * drift);
            }
        }
    }

    TEST_CASE("prediction moves on by a quarter of the last two raw steps and stays on the tablet")
    {
        CFilter filter;
        uint16_t x = Stroke(filter, 1000, 1000, 8, 0, 6).back(), y = 0;
        const uint16_t last = x;
        filter.Process(x, y, 0);
        CHECK(x == last + 4);

        filter.Reset(0);
        Stroke(filter, 65000, 10, 150, 0, 4);
        for (int i = 0; i < 100; ++i)
            filter.Process(x, y, 0);
        CHECK(x == 65535);
    }
}
