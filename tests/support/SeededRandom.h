// A small deterministic generator for the seeded sequence tests, so a
// failure replays from its seed.
#pragma once

#include <cstdint>
#include <initializer_list>

struct SeededRandom {
    uint32_t state;
    uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    uint32_t Below(uint32_t n) { return Next() % n; }
    bool Chance(uint32_t percent) { return Below(100) < percent; }
    int32_t Pick(std::initializer_list<int32_t> values)
    {
        return values.begin()[Below(static_cast<uint32_t>(values.size()))];
    }
};
