// The device service as a library in a host's process: the runtime of the
// library build, the virtual HID output device, and the command thread that
// serves commands and searches again on the sync event. The host owns the
// stop event that ends the command thread and every read thread.
#pragma once

#include "CriticalSection.h"
#include "ScopedHandle.h"
#include "ServiceRuntime.h"

#include <windows.h>


class LibraryService {
public:
    // source: where the device search finds tablets.
    explicit LibraryService(HidSource source);
    ~LibraryService();
    LibraryService(const LibraryService&) = delete;
    LibraryService& operator=(const LibraryService&) = delete;

    // Shared objects, virtual output device, ring and time base; false when
    // the shared objects cannot be made.
    bool Init();
    // Takes the host's stop event, starts the command thread and searches.
    void Start(HANDLE stopEvent);
    // Ends the command thread and the read threads, closes the host's stop
    // event and unmaps the sections. False when a thread outlived the wait:
    // then nothing it uses (event, sections, this object) may be taken away,
    // and a later call waits for it again.
    bool Exit(DWORD waitMs);

private:
    static DWORD WINAPI ServiceThreadProc(LPVOID self);
    DWORD ServiceThread();
    // A device search followed by this form's pen-button defaults.
    void SearchDevices();

    ServiceRuntime runtime_;
    ScopedHandle virtualDevice_;
    HANDLE stopEvent_ = nullptr;  // the host's; closed by Exit
    ScopedHandle serviceThread_;
    CriticalSection searchLock_;  // a search and its defaults go together
};
