// The device file as the loaders walk it: any bytes at all, read failures at
// any point, records built into rooms of any size (each exactly that long, so
// a write beyond one shows). Promises: the record built never claims more keys
// than its room holds, the first-record size is a whole record inside the
// file, and every file opened is closed.
#include "DeviceFileChain.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzService.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

#pragma pack(push, 1)
struct ReadSetup {
    uint8_t build;
    uint8_t flags;
    uint16_t room;
    int16_t failAfter;
    uint16_t vid, pid, penReportLength;
    int32_t keyCount;
};
#pragma pack(pop)

constexpr uint8_t DEVICE_FROM_FILE = 1, NO_PROGRAM_FILES = 2;
constexpr uint8_t UNTOUCHED = 0xCD;

// A walk of the chain as the loaders do it; the bytes it accepts as whole records.
uint64_t WholeRecordBytes(MemoryFileSystem& files, const std::string& path)
{
    const IFileSystem::Handle file = files.OpenExisting(path.c_str(), IFileSystem::Access::Read);
    if (file == IFileSystem::INVALID)
        return 0;
    DeviceFileChain chain(files, file);
    uint64_t whole = 0;
    while (chain.NextHeader() && chain.SkipBody())
        whole += chain.RecordBytesRead();
    files.Close(file);
    return whole;
}

void RequireRecordFits(const uint8_t* out, size_t room, int32_t keys)
{
    FuzzRequire(keys >= 0, "the key count is never negative");
    if (room < TABLETRECORD_HEAD_SIZE) {
        FuzzRequire(keys == 0, "a room without the head gets no keys");
        for (size_t i = 0; i < room; ++i)
            FuzzRequire(out[i] == UNTOUCHED, "a room without the head is left alone");
        return;
    }
    FuzzRequire(RECORD_KEYS_OFFSET + KEYACTION_SIZE * static_cast<uint64_t>(keys) <= room,
                "the keys claimed fit the room");
    FuzzRequire(RecordHead(out)->keyCount == keys, "the record's own count is the count returned");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const ReadSetup setup = input.Read<ReadSetup>();
    FuzzService service(BuildPolicy::For(static_cast<ServiceBuild>(setup.build % 3)));
    service.system.programFiles = (setup.flags & NO_PROGRAM_FILES) == 0;
    size_t fileSize = 0;
    const uint8_t* fileBytes = input.Take(input.Remaining(), fileSize);
    const std::string path = FuzzService::PathOf(DEVICE_SETTINGS_FILE);
    MemoryFileSystem& files = service.files;
    files.files[path].assign(fileBytes, fileBytes + fileSize);
    const uint64_t whole = WholeRecordBytes(files, path);
    files.failAfter = setup.failAfter;

    TABLETINFO device{};
    if ((setup.flags & DEVICE_FROM_FILE) && fileSize >= sizeof device) {
        std::memcpy(&device, fileBytes, sizeof device);
    } else {
        device.VID = setup.vid;
        device.PID = setup.pid;
        device.InputReportByteLength_Pen = setup.penReportLength;
        device.keyCount = setup.keyCount;
    }

    SettingsFiles settings(service.system, files, service.context.policy->files);
    const size_t room = setup.room;
    std::unique_ptr<uint8_t[]> out(new uint8_t[room > 0 ? room : 1]);
    std::memset(out.get(), UNTOUCHED, room);
    RequireRecordFits(out.get(), room, settings.LoadDeviceRecord(room > 0 ? out.get() : nullptr, room, device));
    FuzzRequire(files.openFiles == 0, "the loader closes the device file");

    std::memset(out.get(), UNTOUCHED, room);
    const size_t first = settings.ReadFirstDeviceRecord(room > 0 ? out.get() : nullptr, room);
    const size_t counted = settings.ReadFirstDeviceRecord(nullptr, 0);
    FuzzRequire(first <= whole && counted <= whole, "the first record lies whole inside the file");
    if (first > 0) {
        TABLETINFO header;
        std::memcpy(&header, fileBytes, sizeof header);
        FuzzRequire(first == sizeof header + DeviceFileChain::BodySizeOf(header.keyCount),
                    "the first record's size is the one its header gives");
    }
    FuzzRequire(files.openFiles == 0, "the reader closes the device file");
    return 0;
}
