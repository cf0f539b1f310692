// Inkbrid.dll: the device service driven by a host through three exports.
#include "LibraryExports.h"

#include "HidSource.h"
#include "LibraryService.h"

#include <new>

namespace {

// The library's process-wide state. Made by InitRZVirtualHIDDev and taken
// down by ExitDevService, never at unload: the loader lock must not wait for
// the library's threads.
LibraryService* library = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

int WINAPI InitRZVirtualHIDDev(void)
{
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
    if (library == nullptr)
        return 1;
    // A thread that outlived the wait keeps what it uses: the service stays.
    if (library->Exit())
        delete library;
    library = nullptr;
    return 1;
}
