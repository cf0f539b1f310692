// How long a pen report takes to show in the panel's try-here area under
// Wine: from the report written to the scripted tablet's pipe, through the
// library form's read thread, the pipeline, the pointer and the packet ring,
// WinTab32.dll and the panel's drawing, to the stroke's pixel on the screen.
// Each report is sent when the last one has shown, along strokes across the
// area (cleaned between strokes, so every pixel waited for is a new one).
//   tryhere_bench [points]
#include "PanelUnderTest.h"
#include "TryHereDriver.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kPressure = 700;
constexpr int kPointsPerStroke = 60;
constexpr double kPointTimeoutMs = 1000.0;
constexpr int kCleanId = 1030;

double NowMs()
{
    static LARGE_INTEGER frequency{};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

POINT Cursor()
{
    POINT at{};
    GetCursorPos(&at);
    return at;
}

struct PointTimes {
    double pointer;  // the report moved the desktop pointer (service side done)
    double ink;      // the panel's stroke reached the screen there
};

// Sends one report of the stroke and waits for its ink under the pointer it
// moved; the waits in ms, negative when the point never showed.
PointTimes TimeOnePoint(TryHereDriver& driver, POINT target)
{
    const POINT before = Cursor();
    const double start = NowMs();
    PointTimes times{-1.0, -1.0};
    if (!driver.Report(TryHereDriver::kTip, target, kPressure, TryHereDriver::kUprightTilt, 0))
        return times;
    POINT moved = before;
    while (NowMs() - start < kPointTimeoutMs) {
        moved = Cursor();
        if (moved.x != before.x || moved.y != before.y) {
            times.pointer = NowMs() - start;
            break;
        }
    }
    while (NowMs() - start < kPointTimeoutMs) {
        if (TryHereDriver::IsInk(TryHereDriver::ScreenPixel(moved))) {
            times.ink = NowMs() - start;
            break;
        }
    }
    return times;
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

}  // namespace

int main(int argc, char** argv)
{
    const int wanted = argc > 1 ? std::max(kPointsPerStroke, std::atoi(argv[1])) : 300;
    PanelUnderTest panel(PanelPartner::LibraryForm);
    TryHereDriver driver(panel);
    if (!driver.Start()) {
        std::fprintf(stderr, "try-here bench: the panel did not start beside the library form\n");
        return 1;
    }
    std::vector<double> latencies;
    std::vector<double> pointerTimes;
    int lost = 0;
    for (int stroke = 0; static_cast<int>(latencies.size()) + lost < wanted; ++stroke) {
        const double down = 0.45 + 0.1 * (stroke % 5);
        const POINT from = driver.AreaPoint(0.3, down);
        const POINT to = driver.AreaPoint(0.95, down);
        driver.Report(TryHereDriver::kHover, from, 0);
        driver.Report(TryHereDriver::kHover, from, 0);
        driver.Report(TryHereDriver::kTip, from, kPressure, TryHereDriver::kUprightTilt, 50);
        for (int i = 1; i <= kPointsPerStroke; ++i) {
            const POINT at{from.x + (to.x - from.x) * i / kPointsPerStroke, from.y};
            const PointTimes times = TimeOnePoint(driver, at);
            if (times.ink < 0 || times.pointer < 0) {
                ++lost;
                continue;
            }
            latencies.push_back(times.ink);
            pointerTimes.push_back(times.pointer);
        }
        driver.Report(TryHereDriver::kHover, to, 0);
        driver.Report(TryHereDriver::kLeave, to, 0, TryHereDriver::kUprightTilt, 100);
        PanelUnderTest::ClickIn(panel.MainWindow(), kCleanId);
        Sleep(100);
    }
    if (latencies.empty()) {
        std::fprintf(stderr, "try-here bench: no point reached the screen\n");
        return 1;
    }
    std::printf("try-here latency (report -> pixel): %zu points, %d lost\n", latencies.size(), lost);
    std::printf("ms per point: median %.2f  p99 %.2f  min %.2f  max %.2f\n", Percentile(latencies, 0.5),
                Percentile(latencies, 0.99), *std::min_element(latencies.begin(), latencies.end()),
                *std::max_element(latencies.begin(), latencies.end()));
    std::printf("of which report -> desktop pointer moved: median %.2f  p99 %.2f\n", Percentile(pointerTimes, 0.5),
                Percentile(pointerTimes, 0.99));
    panel.Click(IDCANCEL);
    panel.WaitForPanelExit(5000);
    return 0;
}
