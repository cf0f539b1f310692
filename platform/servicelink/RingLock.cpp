#include "RingLock.h"

#include "ObjectNames.h"

bool RingLock::Create(SECURITY_ATTRIBUTES* attributes)
{
    if (event_)
        return true;
    // Creating an existing event opens it as it is, so a held lock stays held.
    event_.Reset(CreateEventA(attributes, FALSE, TRUE, objnames::RING_LOCK));
    return static_cast<bool>(event_);
}

bool RingLock::Open()
{
    if (Create(nullptr))
        return true;
    event_.Reset(OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, objnames::RING_LOCK));
    return static_cast<bool>(event_);
}

bool RingLock::Acquire()
{
    const DWORD result = Wait(HOLDER_GONE_MS);
    if (result == WAIT_OBJECT_0)
        return true;
    if (result == WAIT_TIMEOUT)
        Release();
    return false;
}
