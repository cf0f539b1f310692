#include "ServiceCommands.h"
#include "ServiceFixture.h"
#include "TempFolder.h"
#include "TabletRecordBuilder.h"

#include <doctest/doctest.h>

#include <cstring>

namespace {

struct CountingFileSystem : StdioFileSystem {
    uint32_t written = 0;
    int32_t Write(Handle file, const void* buffer, uint32_t size) override
    {
        written += size;
        return StdioFileSystem::Write(file, buffer, size);
    }
};

// Program Files is a temporary folder holding an empty device file; the key
// area holds a device of keyCount keys.
struct CommandFixture : ServiceFixture {
    TempFolder folder;
    CountingFileSystem countingFiles;
    std::unique_ptr<ServiceCommands> commands;

    CommandFixture(const BuildPolicy& policy, int32_t keyCount) : ServiceFixture(policy)
    {
        context.files = &countingFiles;
        system.programFiles = folder.Path();
        folder.WriteFile(DEVICE_SETTINGS_FILE, {});
        commands = std::make_unique<ServiceCommands>(context);
        Record() = TabletRecordBuilder(0x1234, 0x5A21).PenReport(8).Keys(keyCount).Record();
    }
};

}  // namespace

TEST_SUITE("service commands")
{
    TEST_CASE("unknown codes, and the reload command outside the library, change nothing")
    {
        for (const BuildPolicy* policy : {&BuildPolicy::Reference(), &BuildPolicy::SecondBrand()}) {
            for (int32_t code : {-1, 2, 13, 18}) {
                CommandFixture f(*policy, 4);
                f.Fields(1, 0x100, CTX_STATUS_ON_TOP);
                const std::vector<uint8_t> keyArea = f.keyAreaBytes;
                f.commands->Perform(code);
                CHECK(f.keyAreaBytes == keyArea);
                CHECK(f.Status(1) == 0xDEAD);  // no context was added
                CHECK(f.countingFiles.written == 0);
            }
        }
    }

    TEST_CASE("pointer off and on, the rotation and the disable-pressure flag are taken as told")
    {
        for (const BuildPolicy* policy : {&BuildPolicy::Reference(), &BuildPolicy::SecondBrand(), &BuildPolicy::Library()}) {
            CommandFixture f(*policy, 4);
            f.commands->Perform(CMD_POINTER_OFF);
            CHECK(f.context.flags.pointerOutput == 0);
            f.commands->Perform(CMD_POINTER_ON);
            CHECK(f.context.flags.pointerOutput == 1);

            f.Record().info.rotationCode = 0x200;
            f.pen->pen.disablePressure = 0;
            f.context.flags.disablePressureCopy.store(1);
            f.commands->Perform(CMD_SET_ROTATION);
            CHECK(f.context.flags.rotationCode == 0x200);
            CHECK(f.context.flags.disablePressureCopy == 1);
            f.commands->Perform(CMD_SET_DISABLE_PRESSURE);
            CHECK(f.context.flags.disablePressureCopy == 0);
            CHECK(f.countingFiles.written == 0);
        }
    }

    TEST_CASE("saving the keys of a 4-key model writes 2304 bytes, then 2068 in place")
    {
        CommandFixture f(BuildPolicy::Reference(), 4);
        f.commands->Perform(CMD_SAVE_KEYS);
        CHECK(f.countingFiles.written == 2304);
        f.countingFiles.written = 0;
        f.Keys()[3].actionCode = ACTION_SCROLL_UP;
        f.commands->Perform(CMD_SAVE_KEYS);
        CHECK(f.countingFiles.written == 2068);
        const std::vector<uint8_t> file = f.folder.ReadFile(DEVICE_SETTINGS_FILE);
        REQUIRE(file.size() == 2304);
        CHECK(std::memcmp(file.data() + 236, f.context.keyArea.record() + 236, 2068) == 0);
    }

    TEST_CASE("a key count beyond the section's capacity never reads past the section")
    {
        // The section's keys are saved and the file keeps a whole record of the
        // claimed count (padded); an absurd count saves nothing.
        const std::pair<const BuildPolicy*, int32_t> rows[] = {
            {&BuildPolicy::Reference(), 19}, {&BuildPolicy::SecondBrand(), 12}, {&BuildPolicy::Library(), 18}};
        for (const auto& row : rows) {
            const int32_t capacity = row.second;
            CommandFixture beyond(*row.first, capacity + 1);
            beyond.Keys()[capacity - 1].actionCode = ACTION_SCROLL_UP;
            beyond.commands->Perform(CMD_SAVE_KEYS);
            const std::vector<uint8_t> file = beyond.folder.ReadFile(DEVICE_SETTINGS_FILE);
            REQUIRE(file.size() == TabletRecordSize(capacity + 1));
            CHECK(RecordKeys(file.data())[capacity - 1].actionCode == ACTION_SCROLL_UP);
            CHECK(RecordKeys(file.data())[capacity].actionCode == 0);
            for (int32_t code : {CMD_SAVE_KEYS, CMD_SAVE_MAPPING}) {
                CommandFixture absurd(*row.first, 1000);
                absurd.commands->Perform(code);
                CHECK(absurd.countingFiles.written == 0);
            }
        }
    }

    TEST_CASE("the library reloads the key area's record from the device file")
    {
        CommandFixture f(BuildPolicy::Library(), 2);
        f.Keys()[1].actionCode = ACTION_MIDDLE_CLICK;
        f.commands->Perform(CMD_SAVE_KEYS);
        f.Keys()[1].actionCode = ACTION_DISABLED;
        f.Record().mapping.monitorChoice = 3;
        f.commands->Perform(CMD_RELOAD_DEVICE_RECORD);
        CHECK(f.Keys()[1].actionCode == ACTION_MIDDLE_CLICK);
        CHECK(f.Record().mapping.monitorChoice == 0);  // stored without a mapping: the defaults
    }
}
