// Both device-file writers (keys and mapping, every build) over any file and
// any record of any size. Promises, on top of no access outside the record:
// whole records before the damage stay as they were, except the one record
// rewritten in place, which keeps its size; an append lands right behind the
// last whole record and writes exactly one record as its header sizes it; a
// writer that reports nothing written wrote nothing (unless a transfer
// failed); the caller's record is never changed; and the device file is
// closed again.
#include "DeviceFileChain.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzService.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

#pragma pack(push, 1)
struct WriteSetup {
    uint8_t build;
    uint8_t flags;
    uint16_t size;
    int16_t failAfter;
    uint16_t fileLength;
    uint8_t fill;
    TABLETINFO info;           // only VID, PID and keyCount matter to the match
    int32_t monitorListCount;
    int32_t keyCount;
};
#pragma pack(pop)

constexpr uint8_t WRITE_KEYS = 1, NO_PROGRAM_FILES = 2;

using Bytes = std::vector<uint8_t>;

struct Record {
    uint64_t offset;
    uint64_t size;
    TABLETINFO header;
};

// The whole records from the start, and where the last of them ends.
std::vector<Record> WholeRecords(const Bytes& file, uint64_t& end)
{
    std::vector<Record> records;
    end = 0;
    while (file.size() - end >= sizeof(TABLETINFO)) {
        Record record;
        std::memcpy(&record.header, file.data() + end, sizeof record.header);
        record.offset = end;
        record.size = sizeof(TABLETINFO) + DeviceFileChain::BodySizeOf(record.header.keyCount);
        if (record.size > file.size() - end)
            break;
        records.push_back(record);
        end += record.size;
    }
    return records;
}

bool SameModel(const TABLETINFO& a, const TABLETINFO& b)
{
    return a.VID == b.VID && a.PID == b.PID && a.keyCount == b.keyCount;
}

bool SameBytes(const Bytes& a, const Bytes& b, uint64_t from, uint64_t to)
{
    return to <= a.size() && to <= b.size() && std::equal(a.begin() + from, a.begin() + to, b.begin() + from);
}

void RequireInPlace(const Bytes& before, const Bytes& after, const Record& rewritten)
{
    FuzzRequire(after.size() == before.size(), "a rewrite in place keeps the file's size");
    FuzzRequire(SameBytes(before, after, 0, rewritten.offset) &&
                    SameBytes(before, after, rewritten.offset + rewritten.size, before.size()),
                "a rewrite in place touches its own record only");
}

// The caller's record with the part not saved marked "not set", as it is appended.
Bytes Appended(const uint8_t* record, size_t size, bool keys)
{
    Bytes marked(record, record + size);
    if (size < sizeof(TABLETRECORD_HEAD))
        return marked;
    TABLETRECORD_HEAD head;
    std::memcpy(&head, marked.data(), sizeof head);
    if (keys)
        head.mapping.monitorListCount = -1;
    else
        head.keyCount = -1;
    std::memcpy(marked.data(), &head, sizeof head);
    return marked;
}

void RequireAppended(const Bytes& before, const Bytes& after, uint64_t end, const Bytes& record)
{
    const size_t size = record.size();
    TABLETINFO header;
    std::memcpy(&header, record.data(), sizeof header);
    const uint64_t whole = sizeof header + DeviceFileChain::BodySizeOf(header.keyCount);
    const uint64_t fromRecord = std::min<uint64_t>(whole, size);
    FuzzRequire(SameBytes(before, after, 0, end), "an append keeps every whole record");
    FuzzRequire(after.size() == std::max<uint64_t>(before.size(), end + whole), "an append writes one whole record");
    FuzzRequire(std::equal(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(fromRecord),
                           after.begin() + static_cast<std::ptrdiff_t>(end)),
                "the appended record is the caller's, marked");
    FuzzRequire(std::all_of(after.begin() + static_cast<std::ptrdiff_t>(end + fromRecord),
                            after.begin() + static_cast<std::ptrdiff_t>(end + whole), [](uint8_t b) { return b == 0; }),
                "an append is padded with zeros");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const WriteSetup setup = input.Read<WriteSetup>();
    const BuildPolicy& policy = BuildPolicy::For(static_cast<ServiceBuild>(setup.build % 3));
    FuzzService service(policy);
    service.system.programFiles = (setup.flags & NO_PROGRAM_FILES) == 0;

    // The record: its head from the setup, the rest a pattern.
    const size_t recordSize = setup.size;
    std::unique_ptr<uint8_t[]> record(new uint8_t[recordSize > 0 ? recordSize : 1]);
    std::memset(record.get(), setup.fill, recordSize);
    TABLETRECORD_HEAD head{};
    head.info = setup.info;
    head.mapping.monitorListCount = setup.monitorListCount;
    head.keyCount = setup.keyCount;
    std::memcpy(record.get(), &head, std::min(recordSize, sizeof head));

    size_t fileLength = 0;
    const uint8_t* fileBytes = input.Take(setup.fileLength, fileLength);
    const Bytes before(fileBytes, fileBytes + fileLength);
    const std::string path = FuzzService::PathOf(DEVICE_SETTINGS_FILE);
    MemoryFileSystem& files = service.files;
    files.files[path] = before;
    files.failAfter = setup.failAfter;

    SettingsFiles settings(service.system, files, policy.files);
    const bool keys = (setup.flags & WRITE_KEYS) != 0;
    uint8_t* target = recordSize > 0 ? record.get() : nullptr;
    const Bytes given(record.get(), record.get() + recordSize);
    const int written = keys ? settings.WriteDeviceKeys(target, recordSize) : settings.WriteDeviceMapping(target, recordSize);
    FuzzRequire(written == 0 || written == 1, "a writer returns 1 or 0");
    FuzzRequire(std::equal(given.begin(), given.end(), record.get()), "the caller's record is left as it was");
    FuzzRequire(files.openFiles == 0, "the writer closes the device file");

    const Bytes& after = files.files[path];
    if (files.failAfter == 0)
        return 0;  // a transfer failed: what reached the file is whatever got there
    if (written == 0) {
        FuzzRequire(after == before, "nothing written when the writer says so");
        return 0;
    }
    uint64_t end = 0;
    const std::vector<Record> records = WholeRecords(before, end);
    for (const Record& existing : records) {
        if (SameModel(existing.header, head.info)) {
            RequireInPlace(before, after, existing);
            return 0;
        }
    }
    RequireAppended(before, after, end, Appended(record.get(), recordSize, keys));
    return 0;
}
