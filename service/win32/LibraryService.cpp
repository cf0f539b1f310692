#include "LibraryService.h"

#include "ClientContextRegistry.h"
#include "PenButtonDefaults.h"

namespace {

constexpr DWORD SYNC_BEEP_HZ = 1000;
constexpr DWORD SYNC_BEEP_MS = 10;

}  // namespace

// The library form injects through mouse_event itself: no injection library.
LibraryService::LibraryService(HidSource source) : runtime_(BuildPolicy::Library(), false, std::move(source)) {}

LibraryService::~LibraryService()
{
    // The runtime's read threads must not write through the device afterwards,
    // and every write under way is cancelled first: only then is the device
    // closed. A write that outlasts its cancel keeps its buffer.
    runtime_.System().SetVirtualOutputDevice(nullptr);
}

bool LibraryService::Init()
{
    ISystem& system = runtime_.System();
    system.DebugOutput("InitRZVirtualHIDDev\n");
    if (!runtime_.InitSharedObjects())
        return false;
    virtualDevice_ = runtime_.Devices().FindVirtualHidDevice();
    runtime_.System().SetVirtualOutputDevice(virtualDevice_.Get());
    runtime_.AttachRing();
    ServiceFlags& flags = runtime_.Context().flags;
    flags.pointerOutput = 1;
    flags.disablePressureCopy = 1;
    flags.rotationCode = 0;
    return true;
}

void LibraryService::Start(HANDLE stopEvent)
{
    ISystem& system = runtime_.System();
    stopEvent_ = stopEvent;
    runtime_.Devices().SetStopEvent(stopEvent);
    system.DebugOutput("start service\n");
    serviceThread_.Reset(CreateThread(nullptr, 0, ServiceThreadProc, this, 0, nullptr));
    // Success is only reported when the thread really runs.
    if (!serviceThread_)
        system.DebugOutput("INVALID_HANDLE_VALUE in StartDevService\n");
    else
        system.DebugOutput("Success ServiceThread in StartDevService\n");
    SearchDevices();
}

bool LibraryService::Exit(DWORD waitMs)
{
    if (stopEvent_ != nullptr)
        SetEvent(stopEvent_);
    // The sections stay mapped until every thread that reads them has ended.
    bool ended = !serviceThread_ || WaitForSingleObject(serviceThread_.Get(), waitMs) == WAIT_OBJECT_0;
    ended = runtime_.Devices().StopReadThreads(waitMs) && ended;
    // A launch still starting runs the library's code too.
    ended = runtime_.System().StopLaunches(waitMs) && ended;
    if (!ended)
        return false;
    if (stopEvent_ != nullptr)
        CloseHandle(stopEvent_);
    stopEvent_ = nullptr;
    serviceThread_.Reset();
    runtime_.System().SetVirtualOutputDevice(nullptr);
    runtime_.CloseSharedSections();
    return true;
}

DWORD WINAPI LibraryService::ServiceThreadProc(LPVOID self) { return static_cast<LibraryService*>(self)->ServiceThread(); }

DWORD LibraryService::ServiceThread()
{
    const HANDLE waits[3] = {stopEvent_, runtime_.CommandEvent(), runtime_.SyncEvent()};
    for (;;) {
        const DWORD result = WaitForMultipleObjects(3, waits, FALSE, INFINITE);
        if (result == WAIT_OBJECT_0 + 1) {
            // Events left set would repeat their work again and again: one run per signal.
            ResetEvent(waits[1]);
            runtime_.PerformCommand();
        } else if (result == WAIT_OBJECT_0 + 2) {
            ResetEvent(waits[2]);
            runtime_.System().Beep(SYNC_BEEP_HZ, SYNC_BEEP_MS);
            SearchDevices();
        } else {
            break;
        }
    }
    runtime_.Context().registry->FreeContexts();
    return 1;
}

void LibraryService::SearchDevices()
{
    CriticalSection::Hold hold(searchLock_);
    runtime_.Devices().FindDevices();
    ApplyPenButtonDefaults(runtime_.Context());
}
