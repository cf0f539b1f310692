#include "NamedRingLock.h"

bool NamedRingLock::Acquire() { return lock_.Acquire(); }
