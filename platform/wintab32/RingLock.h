// The ring lock shared with the service's writers: the auto-reset event
// "Global\stylora123", signalled while the ring is free.
#pragma once

#include "ScopedHandle.h"

#include <windows.h>

class RingLock {
public:
    // Opens the lock, or creates it free when no writer has made it yet.
    bool Open();
    void Close() { event_.Reset(); }
    bool IsOpen() const { return static_cast<bool>(event_); }

    // False when the lock did not come free in time.
    bool Acquire(DWORD timeoutMs) { return WaitForSingleObject(event_.Get(), timeoutMs) == WAIT_OBJECT_0; }
    void Release() { SetEvent(event_.Get()); }

private:
    ScopedHandle event_;
};
