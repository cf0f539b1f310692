// The ring lock: an auto-reset event, signalled while the ring is free.
// Creating it never changes the state of one that already exists, so a
// search can never free a lock that a writer or reader holds.
#pragma once

#include "ScopedHandle.h"
#include "SystemInterface.h"

#include <windows.h>

class NamedRingLock : public IRingLock {
public:
    // Opens or creates "Global\stylora123"; false when neither works.
    bool Create(SECURITY_ATTRIBUTES* attributes);

    // False when the lock did not come free in time: the put is given up.
    bool Acquire() override;
    void Release() override { SetEvent(event_.Get()); }

private:
    ScopedHandle event_;
};
