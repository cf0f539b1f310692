#include "NamedRingLock.h"

#include "ObjectNames.h"

bool NamedRingLock::Create(SECURITY_ATTRIBUTES* attributes)
{
    if (event_)
        return true;
    event_.Reset(CreateEventA(attributes, FALSE, TRUE, objnames::RING_LOCK));
    return static_cast<bool>(event_);
}
