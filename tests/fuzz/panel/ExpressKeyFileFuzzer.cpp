// The express-key page's storage over any device file and any key area:
// load the keys of up to three listed tablets, change one, save them the way
// older systems do, one of its transfers failing (a write half done).
// Promises, beside no access outside the file, the key area or the block:
// the file is closed again; a save that reports failure changed neither the
// file nor the key area; a reported save keeps the chain
// walkable and every other record byte-identical, and rewrites the tablet's
// first record (resized to the tablet's key count) or, without one, appends
// exactly one record after the last whole one.
#include "DeviceFileChain.h"
#include "ExpressKeyStorage.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzSystem.h"
#include "MemoryFileSystem.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

#pragma pack(push, 1)
struct StorageSetup {
    uint8_t flags;
    uint8_t capacityChoice;
    uint8_t listed;
    uint8_t slotToChange;
    int16_t failingTransfer;
    uint16_t fileLength;
    uint16_t vid, pid;
    struct {
        uint16_t vid, pid;
        int8_t keyCount;
    } tablets[3];
    int32_t areaKeyCount;
};
#pragma pack(pop)

constexpr uint8_t SECOND_BRAND = 1, AREA_NAMES_TABLET = 2;

using Bytes = std::vector<uint8_t>;

struct Record {
    uint64_t offset, size;
    TABLETINFO header;
};

std::vector<Record> WholeRecords(const Bytes& file, uint64_t& end)
{
    std::vector<Record> records;
    end = 0;
    while (file.size() - end >= sizeof(TABLETINFO)) {
        Record record{end, 0, {}};
        std::memcpy(&record.header, file.data() + end, sizeof record.header);
        record.size = sizeof(TABLETINFO) + DeviceFileChain::BodySizeOf(record.header.keyCount);
        if (record.size > file.size() - end)
            break;
        records.push_back(record);
        end += record.size;
    }
    return records;
}

bool Same(const Bytes& a, const Bytes& b, uint64_t from, uint64_t to)
{
    return to <= a.size() && to <= b.size() && std::equal(a.begin() + from, a.begin() + to, b.begin() + from);
}

void RequireChainKept(const Bytes& before, const Bytes& after, const TABLETINFO& saved)
{
    uint64_t end = 0;
    const std::vector<Record> records = WholeRecords(before, end);
    const uint64_t whole = TabletRecordSize(saved.keyCount);
    for (const Record& r : records) {
        if (r.header.VID != saved.VID || r.header.PID != saved.PID ||
            r.header.InputReportByteLength_Pen != saved.InputReportByteLength_Pen)
            continue;
        constexpr uint64_t COUNT = offsetof(TABLETINFO, keyCount);
        FuzzRequire(after.size() == before.size() - r.size + whole, "a rewrite resizes only its own record");
        FuzzRequire(Same(before, after, 0, r.offset + COUNT) &&
                        Same(before, after, r.offset + COUNT + 4, r.offset + RECORD_KEYCOUNT_OFFSET),
                    "a rewrite keeps everything before the record and its header and mapping");
        FuzzRequire(std::equal(before.begin() + static_cast<std::ptrdiff_t>(r.offset + r.size), before.end(),
                               after.begin() + static_cast<std::ptrdiff_t>(r.offset + whole)),
                    "a rewrite moves every byte behind the record unchanged");
        return;
    }
    FuzzRequire(Same(before, after, 0, end), "an append keeps every whole record");
    FuzzRequire(after.size() == std::max<uint64_t>(before.size(), end + whole), "an append writes one whole record");
    uint64_t afterEnd = 0;
    WholeRecords(after, afterEnd);
    FuzzRequire(afterEnd >= end + whole, "the chain parses through the appended record");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const StorageSetup setup = input.Read<StorageSetup>();
    const bool secondBrand = (setup.flags & SECOND_BRAND) != 0;
    const SettingsFilePolicy& policy = secondBrand ? kPenmiraSettingsFiles : kStyloraSettingsFiles;
    FuzzSystem system;
    MemoryFileSystem files;
    SettingsFiles settings(system, files, policy);
    ExpressKeyStorage storage(files, settings, secondBrand ? kPenmiraKeyStorage : kStyloraKeyStorage);

    size_t fileLength = 0;
    const uint8_t* fileBytes = input.Take(setup.fileLength, fileLength);
    const Bytes before(fileBytes, fileBytes + fileLength);
    const std::string path = std::string(FuzzSystem::PROGRAM_FILES) + DEVICE_SETTINGS_FILE;
    files.files[path] = before;

    static const size_t kAreaSizes[] = {KEYAREA_SIZE_SERVICE, KEYAREA_SIZE_SECOND_BRAND, KEYAREA_SIZE_LIBRARY};
    Bytes area(kAreaSizes[setup.capacityChoice % 3], 0);
    const KeyAreaView view{area.data(), area.size()};
    TABLETINFO list[3] = {};
    const int listed = setup.listed % 4;
    for (int i = 0; i < 3; ++i) {
        list[i].VID = setup.tablets[i].vid;
        list[i].PID = setup.tablets[i].pid;
        list[i].keyCount = setup.tablets[i].keyCount;
    }
    if ((setup.flags & AREA_NAMES_TABLET) != 0) {
        view.head()->record.info = list[0];
        view.head()->record.keyCount = setup.areaKeyCount;
    }

    KeyBlock block;
    const int chosen = storage.LoadTabletKeys(list, listed, setup.vid, setup.pid, view, block);
    FuzzRequire(files.openFiles == 0, "the reader closes the device file");
    FuzzRequire(chosen < listed && (chosen >= 0) == (listed > 0), "a listed tablet is chosen");
    if (chosen < 0)
        return 0;
    FuzzRequire(block.SlotRoom() >= std::min(std::max(list[chosen].keyCount, 1), KeyBlock::kMaxSlots),
                "the block holds the tablet's slots");
    if (KEYACTION* slot = block.Slot(setup.slotToChange % 20))
        slot->data[0] = 'K';

    const Bytes areaBefore = area;
    // Folded onto the few hundred transfers a save makes, so that most faults strike.
    files.failOnceAfter = setup.failingTransfer < 0 ? -1 : setup.failingTransfer % 512;
    const int saved = storage.SaveToDeviceFile(block, view);
    FuzzRequire(files.openFiles == 0, "the writer closes the device file");
    const Bytes& after = files.files[path];
    if (saved == 0) {
        FuzzRequire(area == areaBefore, "a failed save leaves the key area alone");
        FuzzRequire(after == before, "a failed save leaves the file alone");
        return 0;
    }
    FuzzRequire(view.head()->record.keyCount <= view.capacity(), "the key count fits the key area");
    RequireChainKept(before, after, block.Head().info);
    return 0;
}
