#include "CFilter.h"

#include <doctest/doctest.h>

#include <vector>

namespace {

struct Point {
    int32_t x, y;
};

// Feeds tip-down samples; returns the smoothed positions.
std::vector<Point> Stroke(CFilter& filter, const std::vector<Point>& raw)
{
    std::vector<Point> out;
    for (const Point& p : raw) {
        uint16_t x = static_cast<uint16_t>(p.x), y = static_cast<uint16_t>(p.y);
        filter.Process(x, y, 1);
        out.push_back({x, y});
    }
    return out;
}

std::vector<Point> Line(Point start, Point step, int count)
{
    std::vector<Point> points;
    for (int i = 0; i < count; ++i)
        points.push_back({start.x + step.x * i, start.y + step.y * i});
    return points;
}

}  // namespace

TEST_SUITE("smoothing filter")
{
    TEST_CASE("direction of a step in 256ths of a turn")
    {
        struct Row { int32_t dx, dy; uint8_t direction; };
        const Row rows[] = {
            {10, 0, 0},    {0, 10, 64},   {-10, 0, 128}, {0, -10, 192},  {5, -5, 224},   {5, 5, 32},
            {-5, 5, 96},   {-5, -5, 160}, {100, 3, 1},   {3, 100, 63},   {-100, 3, 127}, {-100, -3, 129},
            {100, -3, 255}, {1000, -1, 0}, {0, 0, 0},    {INT32_MIN, 1, 128}, {1, INT32_MIN, 192},
        };
        for (const Row& row : rows) {
            CAPTURE(row.dx);
            CAPTURE(row.dy);
            CHECK(CFilter::Direction(row.dx, row.dy) == row.direction);
        }
    }

    TEST_CASE("turn between two directions, the short way round")
    {
        struct Row { uint8_t previous, current; int8_t turn; };
        const Row rows[] = {{10, 250, -16}, {250, 10, 16}, {10, 26, 16}, {26, 10, -16},
                            {0, 128, -128}, {128, 0, -128}, {0, 127, 127}, {5, 5, 0}};
        for (const Row& row : rows) {
            CAPTURE(int(row.previous));
            CAPTURE(int(row.current));
            CHECK(CFilter::Turn(row.previous, row.current) == row.turn);
        }
    }

    TEST_CASE("integer root, capped at 128")
    {
        struct Row { int32_t a, root; };
        const Row rows[] = {{-5, 0}, {0, 0}, {1, 0}, {2, 1}, {4, 2}, {99, 9}, {100, 10}, {16384, 128}, {1000000, 128}};
        for (const Row& row : rows) {
            CAPTURE(row.a);
            CHECK(CFilter::IntegerRoot(row.a) == row.root);
        }
    }

    TEST_CASE("the first sample of a stroke comes out unchanged")
    {
        CFilter filter;
        for (Point p : {Point{0, 0}, Point{1234, 5678}, Point{65535, 65535}}) {
            Stroke(filter, Line({100, 100}, {9, 9}, 12));  // earlier history must not matter
            filter.Reset(0);
            const std::vector<Point> out = Stroke(filter, {p});
            CHECK(out[0].x == p.x);
            CHECK(out[0].y == p.y);
            CHECK(filter.CurrentMode() == 1);
            CHECK(filter.SmoothingLevel() == 8);
        }
    }

    TEST_CASE("a straight stroke at constant speed has turn level 3")
    {
        CFilter filter;
        Stroke(filter, Line({2000, 3000}, {3, 1}, 12));
        CHECK(filter.SampleCount() == 8);
        CHECK(filter.TurnLevel() == 3);
    }

    TEST_CASE("fast strokes take the three-point mode and level 3")
    {
        CFilter filter;
        const std::vector<Point> raw = Line({1000, 1000}, {40, 10}, 10);
        const std::vector<Point> out = Stroke(filter, raw);
        // The level falls by one a sample to 4; then the sixth sample switches.
        CHECK(filter.CurrentMode() == 3);
        CHECK(filter.SmoothingLevel() == 3);
        CHECK(out[6].x == (raw[4].x + 4 * raw[5].x + raw[6].x + 3) / 6);
        CHECK(out[6].y == (raw[4].y + 4 * raw[5].y + raw[6].y + 3) / 6);
        CHECK(filter.CurrentWindow() == 3);  // the full-history path's window
    }

    TEST_CASE("the short slow-stroke threshold of the second brand averages raw samples sooner")
    {
        struct Row { int16_t variant; int16_t mode; };
        for (const Row& row : {Row{0, 1}, Row{1023, 2}}) {
            CAPTURE(row.variant);
            CFilter filter;
            filter.SetThresholdVariant(row.variant);
            Stroke(filter, Line({5000, 5000}, {2, 2}, 20));
            CHECK(filter.CurrentMode() == row.mode);
        }
    }

    TEST_CASE("a jittering report stream never asks for a window below zero")
    {
        // Two interleaved positions drifting apart: every step reverses, the
        // turn level sinks to its floor.
        for (int32_t drift = 10; drift <= 30; drift += 4) {
            CAPTURE(drift);
            CFilter filter;
            for (int i = 0; i < 60; ++i) {
                const int32_t p = i % 2 == 0 ? 30000 + i / 2 * drift : 30000 - i / 2 * drift;
                uint16_t x = static_cast<uint16_t>(p), y = static_cast<uint16_t>(p);
                filter.Process(x, y, 1);
                REQUIRE(filter.SmoothingLevel() <= 8);
                REQUIRE(filter.CurrentWindow() >= 0);
                CHECK(x >= 30000 - 30 * drift);
                CHECK(x <= 30000 + 30 * drift);
            }
        }
    }

    TEST_CASE("prediction moves on by a quarter of the last two raw steps and stays on the tablet")
    {
        CFilter filter;
        const std::vector<Point> out = Stroke(filter, Line({1000, 1000}, {8, 0}, 6));
        uint16_t x = 0, y = 0;
        filter.Process(x, y, 0);
        CHECK(x == out.back().x + 4);
        CHECK(y == out.back().y);

        filter.Reset(0);
        Stroke(filter, {{65000, 10}, {65300, 10}, {65535, 10}, {65535, 10}});
        for (int i = 0; i < 100; ++i)
            filter.Process(x, y, 0);
        CHECK(x == 65535);

        filter.Reset(0);
        Stroke(filter, {{500, 600}, {510, 600}});
        filter.Process(x, y, 0);  // too few samples: the last output
        CHECK(x == 505);
    }
}
