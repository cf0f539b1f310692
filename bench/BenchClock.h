// The performance counter in milliseconds. Under Wine every process reads
// the same clock, so a time taken in one process compares with another's.
#pragma once

#include <windows.h>

namespace BenchClock {

inline LONGLONG Counter()
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

inline double ToMs(LONGLONG counter)
{
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value{};
        QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }();
    return static_cast<double>(counter) * 1000.0 / static_cast<double>(frequency);
}

inline double NowMs() { return ToMs(Counter()); }

}  // namespace BenchClock
