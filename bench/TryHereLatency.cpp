// How long a pen report takes to show under Wine: from the report written to
// the scripted tablet's pipe, through the library form's read thread, the
// pipeline, the pointer and the packet ring, WinTab32.dll and the panel's
// drawing, to the desktop pointer moved and to the stroke's ink on the screen.
// Beside it, Wine's own cost of a pointer move (InjectionBaseline), measured in
// the same run. Each report is built before its clock starts and sent when the
// last one has shown, along strokes across the try-here area.
//   tryhere_bench [points]
#include "BenchClock.h"
#include "InjectionBaseline.h"
#include "PanelUnderTest.h"
#include "TryHereDriver.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kPressure = 700;
// Points lie further apart than the stroke is wide, so the pixel waited for
// is one that only the new segment can ink.
constexpr int kSpacingPx = 16;
// The smoothing filter trails the pen at first: the first points of a stroke
// move the pointer less than a line width and are sent untimed.
constexpr int kLeadInPoints = 4;
constexpr double kPointTimeoutMs = 1000.0;
constexpr int kBaselineMoves = 200;
constexpr int kCleanId = 1030;

POINT Cursor()
{
    POINT at{};
    GetCursorPos(&at);
    return at;
}

enum class PointResult { Timed, Lost, InkAhead };

struct PointTimes {
    double pointer = -1.0;  // the report moved the desktop pointer (the service's part done)
    double ink = -1.0;      // the panel's stroke reached the screen there
};

// Ink along the stroke's row from the pointer to the point aimed at, as it
// is before the report goes out.
std::vector<bool> InkAlong(POINT from, POINT to)
{
    std::vector<bool> ink;
    for (LONG x = from.x; x <= to.x; ++x)
        ink.push_back(TryHereDriver::IsInk(TryHereDriver::ScreenPixel(POINT{x, from.y})));
    return ink;
}

// Sends one tip report aimed at `target` (right of the pointer, on its row)
// and times the pointer's move and the ink at the pixel it moved to.
PointResult TimeOnePoint(TryHereDriver& driver, POINT target, PointTimes& times)
{
    const std::vector<uint8_t> report = TryHereDriver::PenReport(TryHereDriver::kTip, target, kPressure);
    const POINT before = Cursor();
    const std::vector<bool> inkBefore = InkAlong(before, target);
    const double start = BenchClock::NowMs();
    if (!driver.Send(report))
        return PointResult::Lost;
    POINT moved = before;
    while (BenchClock::NowMs() - start < kPointTimeoutMs && times.pointer < 0) {
        moved = Cursor();
        if (moved.x != before.x || moved.y != before.y)
            times.pointer = BenchClock::NowMs() - start;
    }
    if (times.pointer < 0 || moved.y != before.y || moved.x < before.x || moved.x > target.x)
        return PointResult::Lost;
    if (inkBefore[static_cast<size_t>(moved.x - before.x)])
        return PointResult::InkAhead;
    while (BenchClock::NowMs() - start < kPointTimeoutMs) {
        if (TryHereDriver::IsInk(TryHereDriver::ScreenPixel(moved))) {
            times.ink = BenchClock::NowMs() - start;
            return PointResult::Timed;
        }
    }
    return PointResult::Lost;
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

void PrintFigure(const char* name, const std::vector<double>& values, const std::vector<double>& baseline)
{
    const double median = Percentile(values, 0.5);
    std::printf("%-36s median %6.2f ms  p99 %6.2f ms", name, median, Percentile(values, 0.99));
    if (!baseline.empty())
        std::printf("  (%.1fx the baseline median)", median / Percentile(baseline, 0.5));
    std::printf("\n");
}

struct Figures {
    std::vector<double> pointer;
    std::vector<double> ink;
    int lost = 0;
};

// One stroke along a row of the area, cleaned afterwards; false when a
// pixel waited for was ink before its report was sent.
bool TimeOneStroke(PanelUnderTest& panel, TryHereDriver& driver, double down, int wanted, Figures& figures)
{
    const POINT from = driver.AreaPoint(0.3, down);
    const POINT to = driver.AreaPoint(0.95, down);
    driver.Report(TryHereDriver::kHover, from, 0);
    driver.Report(TryHereDriver::kHover, from, 0);
    driver.Report(TryHereDriver::kTip, from, kPressure, TryHereDriver::kUprightTilt, 50);
    bool honest = true;
    for (int i = 1; honest && from.x + i * kSpacingPx <= to.x; ++i) {
        if (static_cast<int>(figures.ink.size()) + figures.lost >= wanted)
            break;
        PointTimes times;
        const PointResult result = TimeOnePoint(driver, POINT{from.x + i * kSpacingPx, from.y}, times);
        if (i <= kLeadInPoints)
            continue;
        if (result == PointResult::InkAhead) {
            std::fprintf(stderr, "try-here bench: the pixel waited for was ink before its report was sent\n");
            honest = false;
        } else if (result == PointResult::Lost) {
            ++figures.lost;
        } else {
            figures.pointer.push_back(times.pointer);
            figures.ink.push_back(times.ink);
        }
    }
    driver.Report(TryHereDriver::kHover, to, 0);
    driver.Report(TryHereDriver::kLeave, to, 0, TryHereDriver::kUprightTilt, 100);
    PanelUnderTest::ClickIn(panel.MainWindow(), kCleanId);
    Sleep(100);
    return honest;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], InjectionBaseline::kInjectorArgument) == 0)
        return InjectionBaseline::RunInjector();
    const int wanted = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    PanelUnderTest panel(PanelPartner::LibraryForm);
    TryHereDriver driver(panel);
    if (!driver.Start()) {
        std::fprintf(stderr, "try-here bench: the panel did not start beside the library form\n");
        return 1;
    }
    const std::vector<double> baseline = InjectionBaseline::Measure(driver.Area(), kBaselineMoves);
    Figures figures;
    bool honest = true;
    for (int stroke = 0; honest && static_cast<int>(figures.ink.size()) + figures.lost < wanted; ++stroke)
        honest = TimeOneStroke(panel, driver, 0.45 + 0.1 * (stroke % 5), wanted, figures);
    panel.Click(IDCANCEL);
    panel.WaitForPanelExit(5000);
    if (!honest)
        return 1;
    if (figures.ink.empty() || baseline.empty()) {
        std::fprintf(stderr, "try-here bench: %s\n", baseline.empty() ? "the injection baseline failed"
                                                                       : "no point reached the screen");
        return 1;
    }
    std::printf("try-here latency: %zu points timed, %d lost\n", figures.ink.size(), figures.lost);
    PrintFigure("report -> desktop pointer moved", figures.pointer, baseline);
    PrintFigure("report -> ink on the screen", figures.ink, baseline);
    PrintFigure("baseline: mouse_event -> GetCursorPos", baseline, {});
    return 0;
}
