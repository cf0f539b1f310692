// Starts the files of launch actions on a thread of its own, so that a start
// that blocks (a path on a share that does not answer, a slow file
// association) holds up no read thread: reports, other tablets and releases
// go on while it starts. Launches wait in a short queue; one that finds it
// full is dropped, as a failed launch is ignored.
#pragma once

#include "CriticalSection.h"
#include "ScopedHandle.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

// Whose account a launch runs under: the process's own (the console run, the
// library form), or the user signed in at the console (the service run,
// whose own account is the system's).
enum class LaunchAccount { OwnProcess, ConsoleUser };

struct LaunchRequest {
    std::string file;
    std::string parameters;
    LaunchAccount account = LaunchAccount::OwnProcess;
};

class ProgramLauncher {
public:
    // Carries out one launch on the launcher's thread; it must not refer to
    // anything that may go before that thread ends.
    using Starter = std::function<void(const LaunchRequest&)>;

    static constexpr size_t QUEUE_LIMIT = 8;
    static constexpr DWORD STOP_WAIT_MS = 3000;

    explicit ProgramLauncher(Starter starter);
    // Stops with the bounded wait.
    ~ProgramLauncher();
    ProgramLauncher(const ProgramLauncher&) = delete;
    ProgramLauncher& operator=(const ProgramLauncher&) = delete;

    // Returns at once; the thread is started when a launch finds none.
    void Launch(LaunchRequest request);
    // Drops the launches not yet begun and waits up to waitMs for the one
    // under way. False when it still runs: its thread then finishes on its
    // own, holding what it uses.
    bool Stop(DWORD waitMs);

private:
    // What the thread uses, kept alive by the thread as long as it runs.
    struct Shared {
        explicit Shared(Starter s) : starter(std::move(s)) {}
        const Starter starter;
        CriticalSection lock;
        std::deque<LaunchRequest> queue;
        bool running = false;
    };

    static DWORD WINAPI ThreadProc(LPVOID shared);

    std::shared_ptr<Shared> shared_;
    ScopedHandle thread_;  // guarded by the shared lock
};
