// The commands that copy between the key area and the device file (rotation,
// save keys, save mapping, and the library's reload), with a key area of any
// content (exactly its section's size, so a copy past it shows), a device file
// of any content, and the panel writing into the key area between commands.
// Promises: no copy leaves the section, a reload leaves a key count the
// section can hold, and every file opened is closed.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzService.h"
#include "ServiceCodes.h"
#include "ServiceCommands.h"

#include <algorithm>
#include <cstring>

namespace {

#pragma pack(push, 1)
struct CommandSetup {
    uint8_t build;
    uint8_t flags;
    int16_t failAfter;
    uint16_t keyAreaLength;
    uint16_t fileLength;
};
#pragma pack(pop)

constexpr uint8_t NO_DEVICE_FILE = 1, NO_PROGRAM_FILES = 2;

const int32_t COMMANDS[] = {CMD_SET_ROTATION, CMD_SET_DISABLE_PRESSURE, CMD_SAVE_PEN_SETTINGS,
                            CMD_SAVE_KEYS,    CMD_SAVE_MAPPING,         CMD_RELOAD_DEVICE_RECORD};
constexpr uint8_t COMMAND_COUNT = sizeof COMMANDS / sizeof COMMANDS[0];
// Longer sequences find nothing new.
constexpr int MAX_OPS = 64;

// The panel writes four bytes anywhere in the key area.
void Poke(FuzzService& service, FuzzInput& input)
{
    const KeyAreaView& area = service.context.keyArea;
    const uint16_t at = input.Read<uint16_t>();
    const uint32_t value = input.Read<uint32_t>();
    const size_t offset = at % (area.size - sizeof value + 1);
    std::memcpy(area.base + offset, &value, sizeof value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const CommandSetup setup = input.Read<CommandSetup>();
    const BuildPolicy& policy = BuildPolicy::For(static_cast<ServiceBuild>(setup.build % 3));
    FuzzService service(policy);
    service.system.programFiles = (setup.flags & NO_PROGRAM_FILES) == 0;
    const KeyAreaView& area = service.context.keyArea;
    input.Bytes(area.base, std::min<size_t>(setup.keyAreaLength, area.size));

    MemoryFileSystem& files = service.files;
    if ((setup.flags & NO_DEVICE_FILE) == 0) {
        size_t fileLength = 0;
        const uint8_t* fileBytes = input.Take(setup.fileLength, fileLength);
        files.files[FuzzService::PathOf(DEVICE_SETTINGS_FILE)].assign(fileBytes, fileBytes + fileLength);
    }
    files.files[FuzzService::PathOf(PEN_SETTINGS_FILE)];
    files.failAfter = setup.failAfter;

    ServiceCommands commands(service.context);
    for (int ops = 0; ops < MAX_OPS && !input.Done(); ++ops) {
        const uint8_t op = input.Read<uint8_t>();
        if (op % (COMMAND_COUNT + 1) == COMMAND_COUNT) {
            Poke(service, input);
            continue;
        }
        const int32_t code = COMMANDS[op % (COMMAND_COUNT + 1)];
        FuzzRequire(ServiceCommands::KeyAreaRecordSize(area) <= area.recordRoom(),
                    "a save never copies past the key area");
        commands.Perform(code);
        FuzzRequire(files.openFiles == 0, "every command closes its files");
        if (code == CMD_RELOAD_DEVICE_RECORD && policy.hasReloadDeviceCommand) {
            const int32_t keyCount = area.head()->record.keyCount;
            FuzzRequire(keyCount >= 0 && keyCount <= area.capacity(), "a reload leaves a count the section holds");
        }
    }
    return 0;
}
