// The packet ring's lock between the service's writers and the readers in
// the applications: the auto-reset event "Global\stylora123", signalled
// while the ring is free. Creating it never changes the state of one that
// already exists, so neither the service's device search nor a reader that
// opens it can free a lock that someone holds.
#pragma once

#include "ScopedHandle.h"

#include <windows.h>

class RingLock {
public:
    // Opens or creates the lock (free) with `attributes`; false when neither works.
    bool Create(SECURITY_ATTRIBUTES* attributes);
    // A reader's way in: as Create with default security, or, when this
    // process may not create it, the writers' existing lock opened.
    bool Open();
    void Close() { event_.Reset(); }
    bool IsOpen() const { return static_cast<bool>(event_); }

    // Readers and writers hold the lock only to copy a few packets: a holder
    // that keeps it this long has died or hangs with it.
    static constexpr DWORD HOLDER_GONE_MS = 1000;

    // False when the lock did not come free within HOLDER_GONE_MS. Its holder
    // is then taken as gone: nobody else would ever free it, so it is made
    // free for the next taker (this one still goes without). Writers and
    // readers alike, so a lock left by a dead process costs one wait, once.
    bool Acquire();
    void Release() { SetEvent(event_.Get()); }

private:
    DWORD Wait(DWORD timeoutMs) const { return WaitForSingleObject(event_.Get(), timeoutMs); }

    ScopedHandle event_;
};
