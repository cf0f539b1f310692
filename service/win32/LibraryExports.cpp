// Inkbrid.dll: the device service driven by a host through three exports.
#include "LibraryExports.h"

#include "HidSource.h"
#include "LibraryService.h"

#include <new>

namespace {

// How long ExitDevService waits for the command thread and the read threads.
constexpr DWORD THREAD_END_WAIT_MS = 5000;

// The library's process-wide state. Made by InitRZVirtualHIDDev and taken
// down by ExitDevService, never at unload: the loader lock must not wait for
// the library's threads.
LibraryService* library = nullptr;
// An exit whose threads outlived its wait: they still use its sections and
// events, so it is finished only once they have ended.
LibraryService* exiting = nullptr;

bool FinishExit(LibraryService*& service, DWORD waitMs)
{
    if (service != nullptr && !service->Exit(waitMs))
        return false;
    delete service;
    service = nullptr;
    return true;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

int WINAPI InitRZVirtualHIDDev(void)
{
    // New sections under threads that still run would be reset beneath them.
    if (!FinishExit(exiting, 0))
        return 0;
    if (library != nullptr)
        return 1;
    library = new (std::nothrow) LibraryService(ProgramHidSource());
    if (library == nullptr)
        return 0;
    if (library->Init())
        return 1;
    delete library;
    library = nullptr;
    return 0;
}

void WINAPI StartDevService(HANDLE stopEvent)
{
    if (library != nullptr)
        library->Start(stopEvent);
}

int WINAPI ExitDevService(void)
{
    if (library != nullptr) {
        exiting = library;
        library = nullptr;
    }
    // 0 while a thread runs on: the host must not unload the library yet.
    return FinishExit(exiting, THREAD_END_WAIT_MS) ? 1 : 0;
}
