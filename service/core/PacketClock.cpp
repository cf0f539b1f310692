#include "PacketClock.h"

#include <cmath>

namespace {

constexpr double CLOCK_MODULUS = 4294967296.0;

// The clock is a 32-bit millisecond count that wraps like the tick count; a
// counter that ran backwards must not turn into an undefined conversion.
uint32_t WrapToClock(double milliseconds)
{
    // The usual case: the clock has not wrapped.
    if (milliseconds >= 0 && milliseconds < CLOCK_MODULUS)
        return static_cast<uint32_t>(milliseconds);
    double wrapped = std::fmod(std::trunc(milliseconds), CLOCK_MODULUS);
    if (wrapped < 0)
        wrapped += CLOCK_MODULUS;
    return static_cast<uint32_t>(static_cast<uint64_t>(wrapped));
}

}  // namespace

void PacketClock::Start(ServiceContext& context, PenReportState& state)
{
    context.counterFrequency = context.system->PerformanceFrequency();
    context.counterBase = context.system->PerformanceCounter();
    context.startTick = context.system->TickCount();
    state.packetClock = context.startTick;
}

bool PacketClock::Advance(ServiceContext& context, PenReportState& state)
{
    if (context.counterFrequency <= 0)
        return false;
    int64_t counter = context.system->PerformanceCounter();
    // Unsigned difference: a damaged base must not overflow.
    auto ticks = static_cast<int64_t>(static_cast<uint64_t>(counter) - static_cast<uint64_t>(context.counterBase));
    double elapsed = static_cast<double>(ticks) * 1000.0 /
                     static_cast<double>(context.counterFrequency);
    state.packetClock = WrapToClock(static_cast<double>(state.packetClock) + elapsed);
    context.counterBase = context.system->PerformanceCounter();
    return true;
}

void PacketClock::Restart(ServiceContext& context, PenReportState& state)
{
    state.packetClock = context.system->TickCount();
}
