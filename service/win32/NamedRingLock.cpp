#include "NamedRingLock.h"

#include "ObjectNames.h"

namespace {

// Readers and writers hold the lock only to copy a few packets. A holder
// that keeps it this long has died or hangs with it.
constexpr DWORD HOLDER_GONE_MS = 1000;

}  // namespace

bool NamedRingLock::Create(SECURITY_ATTRIBUTES* attributes)
{
    if (event_)
        return true;
    event_.Reset(CreateEventA(attributes, FALSE, TRUE, objnames::RING_LOCK));
    return static_cast<bool>(event_);
}

bool NamedRingLock::Acquire()
{
    const DWORD result = WaitForSingleObject(event_.Get(), HOLDER_GONE_MS);
    if (result == WAIT_OBJECT_0)
        return true;
    // Nobody else would ever free a lock whose holder is gone: this put is
    // lost, and the lock is made free so later packets and readers go on.
    if (result == WAIT_TIMEOUT)
        SetEvent(event_.Get());
    return false;
}
