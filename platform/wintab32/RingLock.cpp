#include "RingLock.h"

#include "ObjectNames.h"

bool RingLock::Open()
{
    if (event_)
        return true;
    // Creating an existing event opens it as it is, so a held lock stays held.
    event_.Reset(CreateEventA(nullptr, FALSE, TRUE, objnames::RING_LOCK));
    if (!event_)
        event_.Reset(OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, objnames::RING_LOCK));
    return static_cast<bool>(event_);
}
