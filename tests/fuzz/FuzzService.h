// The device service's state around the portable core, for the fuzz targets:
// sections in memory of exactly their sizes (so a read past one shows), the
// ring over the connection section, the registry, filter, pen state, express
// keys, pen pipeline and the read threads' sink, with a checking system door
// and files in memory.
#pragma once

#include "CoreServiceState.h"
#include "FuzzSystem.h"
#include "MemoryFileSystem.h"

#include <string>

class FuzzService : public CoreServiceState<FuzzSystem, MemoryFileSystem> {
public:
    explicit FuzzService(const BuildPolicy& policy);

    // Full paths of the settings files below FuzzSystem::PROGRAM_FILES.
    static std::string PathOf(const char* file);

    // Both ring indexes lie in 0..127, unless one still holds the damaged
    // value put there from outside and no write has come since.
    void RequireRingInRange(int64_t damagedRead, int64_t damagedWrite) const;
    // Nothing the service injected is still pressed, and no button bit is set.
    void RequireNothingHeld(const char* after) const;
};
