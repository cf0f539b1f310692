#include "ServiceCommands.h"
#include "ServiceFixture.h"
#include "TempFolder.h"

#include <doctest/doctest.h>

#include <cstring>

namespace {

// Counts the bytes that reach the files.
struct CountingFileSystem : StdioFileSystem {
    uint32_t written = 0;
    int32_t Write(Handle file, const void* buffer, uint32_t size) override
    {
        written += size;
        return StdioFileSystem::Write(file, buffer, size);
    }
};

// A fixture whose Program Files folder is a temporary one with empty
// settings files in "Tablet".
struct CommandFixture : ServiceFixture {
    TempFolder folder;
    CountingFileSystem countingFiles;
    std::unique_ptr<ServiceCommands> commands;

    explicit CommandFixture(const BuildPolicy& policy = BuildPolicy::Reference()) : ServiceFixture(policy)
    {
        context.files = &countingFiles;
        system.programFiles = folder.Path();
        folder.WriteFile(DEVICE_SETTINGS_FILE, {});
        folder.WriteFile(PEN_SETTINGS_FILE, {});
        commands = std::make_unique<ServiceCommands>(context);
    }
    void Perform(int32_t code) { commands->Perform(code); }
    void Device(uint16_t pid, int32_t keys)
    {
        Record().info.VID = 0x1234;
        Record().info.PID = pid;
        Record().info.InputReportByteLength_Pen = 8;
        Record().info.keyCount = keys;
        Record().keyCount = keys;
    }
    std::vector<uint8_t> DeviceFile() const { return folder.ReadFile(DEVICE_SETTINGS_FILE); }
};

}  // namespace

TEST_SUITE("service commands")
{
    TEST_CASE("pointer, rotation and pressure commands take their values")
    {
        CommandFixture f;
        f.Record().info.rotationCode = 0x200;
        f.pen->pen.disablePressure = 7;
        f.Perform(CMD_POINTER_OFF);
        CHECK(f.context.flags.pointerOutput == 0);
        f.Perform(CMD_POINTER_ON);
        CHECK(f.context.flags.pointerOutput == 1);
        f.Perform(CMD_SET_ROTATION);
        CHECK(f.context.flags.rotationCode == 0x200);
        f.Perform(CMD_SET_DISABLE_PRESSURE);
        CHECK(f.context.flags.disablePressureCopy == 7);
    }

    TEST_CASE("context commands reach the registry")
    {
        CommandFixture f;
        f.Fields(9, 0x100, 0);
        f.Perform(CMD_ADD_CONTEXT);
        f.connection->contextStatus = CTX_STATUS_ON_TOP;
        f.Perform(CMD_CONTEXT_ENABLE);
        CHECK(f.Status(9) == CTX_STATUS_ON_TOP);
        f.connection->contextStatus = CTX_STATUS_OBSCURED;
        f.Perform(CMD_CONTEXT_OVERLAP);
        CHECK(f.Status(9) == CTX_STATUS_OBSCURED);
        f.Perform(CMD_REMOVE_CONTEXT);
        CHECK(f.registry.Count() == 0);
    }

    TEST_CASE("unknown codes, and the reload command outside the library, change nothing")
    {
        for (const BuildPolicy* policy : {&BuildPolicy::Reference(), &BuildPolicy::SecondBrand()}) {
            for (int32_t code : {-1, 0, 1, 2, 13, 17, 18, 20, 0x7FFFFFFF}) {
                CAPTURE(code);
                CommandFixture f(*policy);
                f.Device(0x5A21, 4);
                f.Fields(1, 0x100, CTX_STATUS_ON_TOP);
                const std::vector<uint8_t> keyArea = f.keyAreaBytes;
                f.Perform(code);
                CHECK(f.keyAreaBytes == keyArea);
                CHECK(f.registry.Count() == 0);
                CHECK(f.context.flags.pointerOutput == 1);
                CHECK(f.system.calls.empty());
                CHECK(f.countingFiles.written == 0);
            }
        }
    }

    TEST_CASE("saving the keys of a 4-key model writes 2304 bytes, then 2068 in place")
    {
        CommandFixture f;
        f.Device(0x5A21, 4);
        f.Keys()[3].actionCode = ACTION_LAUNCH;
        f.Perform(CMD_SAVE_KEYS);
        CHECK(f.countingFiles.written == 2304);
        REQUIRE(f.DeviceFile().size() == 2304);

        f.countingFiles.written = 0;
        f.Keys()[3].actionCode = ACTION_SCROLL_UP;
        f.Perform(CMD_SAVE_KEYS);
        CHECK(f.countingFiles.written == 2068);
        const std::vector<uint8_t> file = f.DeviceFile();
        REQUIRE(file.size() == 2304);
        CHECK(std::memcmp(file.data() + 236, f.context.keyArea.record() + 236, 2068) == 0);
        CHECK(f.countingFiles.openFiles == 0);
    }

    TEST_CASE("a key count beyond the section's capacity never reads past the section")
    {
        // The section's keys are saved; the file keeps a whole record for the
        // claimed count (padded), and an absurd count saves nothing.
        struct Row { const BuildPolicy& policy; int32_t capacity; };
        const Row rows[] = {{BuildPolicy::Reference(), 19}, {BuildPolicy::SecondBrand(), 12},
                            {BuildPolicy::Library(), 18}};
        for (const Row& row : rows) {
            CAPTURE(row.capacity);
            CommandFixture beyond(row.policy);
            beyond.Device(0x5A21, row.capacity + 1);
            beyond.Keys()[row.capacity - 1].actionCode = ACTION_SCROLL_UP;
            beyond.Perform(CMD_SAVE_KEYS);
            const std::vector<uint8_t> file = beyond.DeviceFile();
            REQUIRE(file.size() == TabletRecordSize(row.capacity + 1));
            CHECK(RecordKeys(file.data())[row.capacity - 1].actionCode == ACTION_SCROLL_UP);
            CHECK(RecordKeys(file.data())[row.capacity].actionCode == 0);

            CommandFixture absurd(row.policy);
            absurd.Device(0x5A21, 1000);
            absurd.Perform(CMD_SAVE_KEYS);
            CHECK(absurd.DeviceFile().empty());
        }
    }

    TEST_CASE("saving pen settings writes the pen block")
    {
        CommandFixture f;
        f.pen->pen.clickSensitivity = 55;
        f.Perform(CMD_SAVE_PEN_SETTINGS);
        const std::vector<uint8_t> file = f.folder.ReadFile(PEN_SETTINGS_FILE);
        REQUIRE(file.size() == sizeof(PENSETTINGS));
        CHECK(std::memcmp(file.data(), &f.pen->pen, sizeof(PENSETTINGS)) == 0);
    }

    TEST_CASE("the library reloads the key area's record from the device file")
    {
        CommandFixture f(BuildPolicy::Library());
        f.Device(0x5A21, 2);
        f.Keys()[1].actionCode = ACTION_MIDDLE_CLICK;
        f.Perform(CMD_SAVE_KEYS);
        f.Keys()[1].actionCode = ACTION_DISABLED;
        f.Record().mapping.monitorChoice = 3;
        f.Perform(CMD_RELOAD_DEVICE_RECORD);
        CHECK(f.Keys()[1].actionCode == ACTION_MIDDLE_CLICK);
        CHECK(f.Record().info.PID == 0x5A21);
        CHECK(f.Record().mapping.monitorChoice == 0);  // the stored record had no mapping: defaults
    }
}
