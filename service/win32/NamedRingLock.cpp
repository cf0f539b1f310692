#include "NamedRingLock.h"

namespace {

// Readers and writers hold the lock only to copy a few packets. A holder
// that keeps it this long has died or hangs with it.
constexpr DWORD HOLDER_GONE_MS = 1000;

}  // namespace

bool NamedRingLock::Acquire() { return lock_.AcquireOrFreeAfter(HOLDER_GONE_MS); }
