// Launch actions through the service's own system door: the user's token is
// taken through a gate the test holds, which stands for a start that blocks
// and for whether somebody is signed in at the console.
#include "ChildProcess.h"
#include "CoreServiceState.h"
#include "PenReportBuilder.h"
#include "TestThread.h"
#include "Win32System.h"

#include <doctest/doctest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct TokenGate {
    ScopedHandle open{CreateEventA(nullptr, TRUE, TRUE, nullptr)};
    std::atomic<int> asks{0};
    std::atomic<bool> signedIn{false};

    // The process's own token stands for the signed-in user's.
    ScopedHandle Take()
    {
        ++asks;
        WaitForSingleObject(open.Get(), 10000);
        HANDLE token = nullptr;
        if (signedIn && OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &token))
            return ScopedHandle(token);
        return {};
    }
};

class GatedSystem : public Win32System {
public:
    GatedSystem() : GatedSystem(std::make_shared<TokenGate>()) {}
    std::shared_ptr<TokenGate> gate;

private:
    explicit GatedSystem(std::shared_ptr<TokenGate> g)
        : Win32System(false, [g] { return g->Take(); }), gate(std::move(g))
    {
    }
};

KEYACTION LaunchOf(const char* file)
{
    KEYACTION entry{};
    entry.actionCode = ACTION_LAUNCH;
    std::strcpy(entry.data, file);
    return entry;
}

// Starts LaunchTrace, which sets an event of this name.
struct LaunchTrace {
    std::string name = "inkbrid-launch-trace-" + std::to_string(GetCurrentProcessId());
    ScopedHandle started{CreateEventA(nullptr, TRUE, FALSE, name.c_str())};
    std::string program = PathNextToTest("LaunchTrace.exe");
};

}  // namespace

TEST_SUITE("launch actions")
{
    TEST_CASE("a launch that blocks holds up no report, and the launches behind it still start")
    {
        CoreServiceState<GatedSystem> rig(BuildPolicy::Reference());
        rig.UseDeskTablet(10);
        TokenGate& gate = *rig.system.gate;
        rig.system.SetLaunchAccount(LaunchAccount::ConsoleUser);
        ResetEvent(gate.open.Get());
        KEYACTION table[2] = {LaunchOf("C:\\slow\\first.exe"), LaunchOf("C:\\slow\\second.exe")};
        ExpressKeyState keys;
        auto keyReport = [&](uint8_t group1) {
            keys.current[0] = 12;
            keys.current[5] = group1;
            rig.sink.OnKeyReport(keys.current, 10, rig.header, {2, table}, keys);
            std::memcpy(keys.previous, keys.current, sizeof keys.previous);
        };
        std::atomic<bool> handled{false};
        TestThread readThread([&] {
            keyReport(0x03);
            keyReport(0x02);  // the first key's launch starts, and blocks
            keyReport(0x00);  // the second's waits behind it
            const RawPenReport hover = penreport::Pen(penreport::HOVER, 5103, 3711, 0);
            rig.sink.OnPenReport(&keys, hover.bytes, hover.length, rig.header, rig.mapping);
            handled = true;
        });
        CHECK(WaitUntil([&] { return handled.load(); }, 5000));
        CHECK(WaitUntil([&] { return gate.asks == 1; }, 5000));
        SetEvent(gate.open.Get());
        readThread.Join();
        CHECK(WaitUntil([&] { return gate.asks == 2; }, 5000));
        CHECK(rig.system.StopLaunches(5000));
    }

    TEST_CASE("the service run starts a program as the signed-in user or not at all; the debug run as itself")
    {
        struct Row { std::string name; LaunchAccount account; bool signedIn; bool started; int asks; };
        const Row rows[] = {{"service run, user signed in", LaunchAccount::ConsoleUser, true, true, 1},
                            {"service run, nobody signed in", LaunchAccount::ConsoleUser, false, false, 1},
                            {"debug run", LaunchAccount::OwnProcess, false, true, 0}};
        for (const Row& row : rows) {
            CAPTURE(row.name);
            GatedSystem system;
            LaunchTrace trace;
            system.gate->signedIn = row.signedIn;
            system.SetLaunchAccount(row.account);
            system.ShellOpen(trace.program.c_str(), trace.name.c_str());
            auto started = [&] { return WaitForSingleObject(trace.started.Get(), 0) == WAIT_OBJECT_0; };
            CHECK(WaitUntil([&] { return system.gate->asks == row.asks && started() == row.started; }, 10000));
            // Once the launcher is idle nothing can start any more.
            REQUIRE(system.StopLaunches(10000));
            CHECK(system.gate->asks == row.asks);
            CHECK(started() == row.started);
        }
    }
}
