// The three entry points of Inkbrid.dll, the device service in library form.
// A host calls them in this order: InitRZVirtualHIDDev, StartDevService with
// a manual-reset event of its own, ExitDevService. The library takes over the
// event: ExitDevService sets it and closes it.
#pragma once

#include <windows.h>

extern "C" {
// 1 once the shared sections and events exist, 0 when they cannot be made
// or the threads of an earlier exit still run.
int WINAPI InitRZVirtualHIDDev(void);
// Starts the command thread and the device search; stopEvent ends both.
void WINAPI StartDevService(HANDLE stopEvent);
// Ends the library's threads, closes the stop event, unmaps the sections: 1.
// 0 when a thread did not end in time: the library must stay loaded, and a
// later call waits for it again.
int WINAPI ExitDevService(void);
}

using InitRZVirtualHIDDevProc = int(WINAPI*)(void);
using StartDevServiceProc = void(WINAPI*)(HANDLE);
using ExitDevServiceProc = int(WINAPI*)(void);
