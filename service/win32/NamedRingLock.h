// The ring lock as the core's ring writer takes it: a writer that cannot
// get it in time gives up that one put (see Acquire).
#pragma once

#include "RingLock.h"
#include "SystemInterface.h"

#include <windows.h>

class NamedRingLock : public IRingLock {
public:
    // Opens or creates "Global\stylora123"; false when neither works.
    bool Create(SECURITY_ATTRIBUTES* attributes) { return lock_.Create(attributes); }

    // False when the lock did not come free in time: the put is given up,
    // and a lost holder's lock is made free so later packets and readers go on.
    bool Acquire() override;
    void Release() override { lock_.Release(); }

private:
    RingLock lock_;
};
