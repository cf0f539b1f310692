#include "InjectionBaseline.h"

#include "BenchClock.h"
#include "ChildProcess.h"
#include "ScopedHandle.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kSharedName = "InkbridBenchInjection";
constexpr const char* kMoveEventName = "InkbridBenchInjectionMove";
constexpr DWORD kInjectorIdleMs = 5000;
constexpr double kMoveTimeoutMs = 1000.0;
constexpr int kStopSpacingPx = 7;
// The injector's first move waits for its process to start.
constexpr double kFirstMoveTimeoutMs = 20000.0;

// What the two processes share: the next move and when it was injected.
struct InjectionRequest {
    volatile LONG x;  // 0..0xFFFF of the virtual desktop
    volatile LONG y;
    volatile LONG quit;
    volatile LONGLONG injectedAt;  // performance counter just before mouse_event
};

class SharedRequest {
public:
    SharedRequest()
        : mapping_(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(InjectionRequest),
                                      kSharedName)),
          move_(CreateEventA(nullptr, FALSE, FALSE, kMoveEventName))
    {
        if (mapping_)
            view_ = MapViewOfFile(mapping_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(InjectionRequest));
    }
    ~SharedRequest()
    {
        if (view_ != nullptr)
            UnmapViewOfFile(view_);
    }
    SharedRequest(const SharedRequest&) = delete;
    SharedRequest& operator=(const SharedRequest&) = delete;

    bool Valid() const { return view_ != nullptr && move_; }
    InjectionRequest& Request() { return *static_cast<InjectionRequest*>(view_); }
    HANDLE MoveEvent() const { return move_.Get(); }

private:
    ScopedHandle mapping_;
    ScopedHandle move_;
    void* view_ = nullptr;
};

LONG DesktopUnits(LONG pixel, int metric)
{
    return static_cast<LONG>((static_cast<LONGLONG>(pixel) * 0x10000 + 0x8000) / GetSystemMetrics(metric));
}

POINT Cursor()
{
    POINT at{};
    GetCursorPos(&at);
    return at;
}

// One move asked of the injector; the milliseconds until it showed, negative when it never did.
double TimeOneMove(SharedRequest& shared, POINT to, double timeoutMs)
{
    InjectionRequest& request = shared.Request();
    request.injectedAt = 0;
    request.x = DesktopUnits(to.x, SM_CXVIRTUALSCREEN);
    request.y = DesktopUnits(to.y, SM_CYVIRTUALSCREEN);
    SetEvent(shared.MoveEvent());
    const double asked = BenchClock::NowMs();
    while (BenchClock::NowMs() - asked < timeoutMs) {
        // The target itself, not just any change.
        const POINT at = Cursor();
        if (std::abs(at.x - to.x) <= 1 && std::abs(at.y - to.y) <= 1) {
            const double seen = BenchClock::NowMs();
            return request.injectedAt != 0 ? seen - BenchClock::ToMs(request.injectedAt) : -1.0;
        }
    }
    return -1.0;
}

}  // namespace

int InjectionBaseline::RunInjector()
{
    SharedRequest shared;
    if (!shared.Valid())
        return 1;
    InjectionRequest& request = shared.Request();
    while (WaitForSingleObject(shared.MoveEvent(), kInjectorIdleMs) == WAIT_OBJECT_0 && request.quit == 0) {
        request.injectedAt = BenchClock::Counter();
        mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | MOUSEEVENTF_MOVE, static_cast<DWORD>(request.x),
                    static_cast<DWORD>(request.y), 0, 0);
    }
    return 0;
}

std::vector<double> InjectionBaseline::Measure(const RECT& area, int moves)
{
    std::vector<double> times;
    SharedRequest shared;
    ChildProcess injector;
    if (!shared.Valid() || !injector.Start("tryhere_bench.exe", kInjectorArgument))
        return times;
    shared.Request().quit = 0;
    // Every stop is a new pixel: Wine may still report the pointer at a stop
    // it left, which must never pass for the next move. The first move,
    // untimed, waits for the injector to start.
    const int columns = std::max(1, static_cast<int>(area.right - area.left) / kStopSpacingPx);
    const auto stop = [&](int index) {
        return POINT{area.left + (index % columns) * kStopSpacingPx, area.top + (index / columns) * kStopSpacingPx};
    };
    if (TimeOneMove(shared, stop(0), kFirstMoveTimeoutMs) < 0)
        moves = 0;
    for (int move = 1; move <= moves; ++move) {
        const POINT to = stop(move);
        const double shown = to.y < area.bottom ? TimeOneMove(shared, to, kMoveTimeoutMs) : -1.0;
        if (shown < 0) {
            times.clear();
            break;
        }
        times.push_back(shown);
    }
    shared.Request().quit = 1;
    SetEvent(shared.MoveEvent());
    injector.Wait(kInjectorIdleMs);
    return times;
}
