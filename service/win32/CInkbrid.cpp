#include "CInkbrid.h"

#include "ServiceCodes.h"

namespace {

// How long the stop waits for the read threads before it says so.
constexpr DWORD READ_THREAD_WAIT_MS = 5000;

// Registration can fail transiently while the window station comes up: one more try.
UINT RegisterMessageTwice(const char* name)
{
    const UINT message = RegisterWindowMessageA(name);
    return message != 0 ? message : RegisterWindowMessageA(name);
}

}  // namespace

CInkbrid::CInkbrid(ServiceRuntime& runtime)
    : CNTService(runtime.Policy().serviceName, runtime.Policy().serviceName), runtime_(runtime)
{
    serviceType_ |= SERVICE_INTERACTIVE_PROCESS;
    controlsAccepted_ = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN;
    if (runtime.Policy().registersPreciseModeMessages) {
        preciseModeRectCenterMessage_ = RegisterMessageTwice(PRECISE_MODE_RECT_CENTER_MESSAGE);
        preciseModeQuitMessage_ = RegisterMessageTwice(PRECISE_MODE_QUIT_MESSAGE);
    }
}

CInkbrid::~CInkbrid() = default;

BOOL CInkbrid::InitService()
{
    // As a service the process runs under the system's account: launches
    // belong to the user at the console. The debug run is that user's own.
    runtime_.System().SetLaunchAccount(IsForeground() ? LaunchAccount::OwnProcess : LaunchAccount::ConsoleUser);
    if (!runtime_.InitSharedObjects())
        return FALSE;
    runtime_.AttachRing();
    return TRUE;
}

BOOL CInkbrid::Run(int, char**, HANDLE* stopEvent)
{
    SetStatus(SERVICE_START_PENDING, 3000, 0);
    ScopedHandle stop(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!stop)
        return FALSE;
    stopEvent_ = stop.Get();
    if (stopEvent != nullptr)
        *stopEvent = stop.Get();
    runtime_.Devices().SetStopEvent(stop.Get());
    SetStatus(SERVICE_RUNNING, 3000, 0);
    runtime_.Devices().FindDevices();
    while (WaitForCommand(stop.Get())) {
    }
    StopReadThreads();
    runtime_.System().StopLaunches(ProgramLauncher::STOP_WAIT_MS);
    runtime_.Context().registry->FreeContexts();
    stopEvent_ = nullptr;
    return TRUE;
}

bool CInkbrid::WaitForCommand(HANDLE stopEvent)
{
    HANDLE events[2] = {stopEvent, runtime_.CommandEvent()};
    // The foreground run also serves its faceless window from this thread.
    DWORD result = IsForeground() ? MsgWaitForMultipleObjects(2, events, FALSE, INFINITE, QS_ALLINPUT)
                                  : WaitForMultipleObjects(2, events, FALSE, INFINITE);
    if (result == WAIT_OBJECT_0 + 1) {
        // A client that sets the event instead of pulsing it would otherwise
        // have the command performed again and again.
        ResetEvent(events[1]);
        runtime_.PerformCommand();
        return true;
    }
    if (IsForeground() && result == WAIT_OBJECT_0 + 2) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return true;
    }
    return false;
}

void CInkbrid::StopReadThreads()
{
    // The read threads use the stop event, the device manager and the
    // contexts: nothing of that goes while one still runs. A late stop
    // beats a crash.
    if (runtime_.Devices().StopReadThreads(READ_THREAD_WAIT_MS))
        return;
    LogEvent("A read thread is still running; waiting for it to end", EVENTLOG_WARNING_TYPE, static_cast<DWORD>(-1));
    do {
        SetStatus(SERVICE_STOP_PENDING, READ_THREAD_WAIT_MS, 0);
    } while (!runtime_.Devices().StopReadThreads(READ_THREAD_WAIT_MS));
}

void CInkbrid::OnStop()
{
    SetStatus(SERVICE_STOP_PENDING, 5000, 0);
    if (HANDLE stop = stopEvent_.load())
        SetEvent(stop);
}

void CInkbrid::OnShutdown()
{
    if (HANDLE stop = stopEvent_.load())
        SetEvent(stop);
}

void CInkbrid::OnDeviceArrival() { runtime_.Devices().FindDevices(); }
