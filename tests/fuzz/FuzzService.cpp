#include "FuzzService.h"

#include "FuzzCheck.h"
#include "SectionDefaults.h"

#include <string>

FuzzService::FuzzService(const BuildPolicy& policy) : CoreServiceState(policy)
{
    FillPenSettingsDefaults(pen->pen);
}

std::string FuzzService::PathOf(const char* file)
{
    return std::string(FuzzSystem::PROGRAM_FILES) + file;
}

void FuzzService::RequireRingInRange(int64_t damagedRead, int64_t damagedWrite) const
{
    const int32_t read = connection->readIndex;
    const int32_t write = connection->writeIndex;
    FuzzRequire((read >= 0 && read < RING_CAPACITY) || read == damagedRead, "ring read index in 0..127");
    FuzzRequire((write >= 0 && write < RING_CAPACITY) || write == damagedWrite, "ring write index in 0..127");
}

void FuzzService::RequireNothingHeld(const char* after) const
{
    if (system.held.AnyHeld()) {
        const std::string detail = std::string(after) + ", held:" + system.held.Describe();
        FuzzRequire(false, "nothing injected stays pressed", detail.c_str());
    }
    FuzzRequire((context.flags.buttonState.load() & (HELD_PEN_BUTTON1 | HELD_PEN_BUTTON2)) == 0,
                "no pen-button action stays held", after);
    FuzzRequire(!state.leftDownInjected, "no injected left button stays down", after);
}
