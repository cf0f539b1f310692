#include "ExpressKeyStorage.h"

#include "DeviceFileChain.h"
#include "ScopedFile.h"
#include "ServiceCodes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Far beyond any real device file; a larger one is not rewritten.
constexpr size_t MAX_MOVED_BYTES = 16u << 20;

bool SameDevice(const TABLETINFO& a, uint16_t vid, uint16_t pid)
{
    return a.VID == vid && a.PID == pid;
}

bool SameInterface(const TABLETINFO& a, const TABLETINFO& b)
{
    return SameDevice(a, b.VID, b.PID) && a.InputReportByteLength_Pen == b.InputReportByteLength_Pen;
}

}  // namespace

int ExpressKeyStorage::LoadTabletKeys(const TABLETINFO* list, int count, uint16_t vid, uint16_t pid,
                                      const KeyAreaView& area, KeyBlock& block) const
{
    block.Free();
    if (list == nullptr || count <= 0)
        return -1;
    int remembered = -1;
    for (int i = 0; i < count; ++i) {
        const TABLETINFO& tablet = list[i];
        if (vid == 0 && pid == 0) {
            if (ReadTabletFindRecord(tablet, block))
                return i;
            continue;
        }
        if (!SameDevice(tablet, vid, pid))
            continue;
        remembered = i;
        if (area.valid() && SameDevice(area.head()->record.info, vid, pid)) {
            LoadFromKeyArea(area, tablet, block);
            FillSlotsBeyondArea(tablet, area, block);
            return i;
        }
        if (ReadTabletFindRecord(tablet, block))
            return i;
        break;
    }
    const int chosen = remembered >= 0 ? remembered : 0;
    LoadDefaults(list[chosen], block);
    return chosen;
}

bool ExpressKeyStorage::ReadTabletFindRecord(const TABLETINFO& tablet, KeyBlock& block) const
{
    block.Free();
    std::vector<uint8_t> record;
    if (!settings_.ReadDeviceRecord(tablet.VID, tablet.PID, KeyBlock::kMaxSlots, record))
        return false;
    const int32_t stored = RecordHead(record.data())->info.keyCount;
    block.Allocate(std::max(tablet.keyCount, stored));
    // The record's body after its TABLETINFO; what the block cannot hold is left out.
    std::memcpy(block.Data() + sizeof(TABLETINFO), record.data() + sizeof(TABLETINFO),
                std::min(block.Size(), record.size()) - sizeof(TABLETINFO));
    block.Head().info = tablet;
    CompleteKeys(block, block.Head().keyCount, std::min(std::max(stored, 1), block.SlotRoom()));
    return true;
}

void ExpressKeyStorage::LoadFromKeyArea(const KeyAreaView& area, const TABLETINFO& tablet, KeyBlock& block) const
{
    block.Allocate(tablet.keyCount);
    block.Head().info = tablet;
    if (!area.valid()) {
        CompleteKeys(block, -1, 0);
        return;
    }
    const int32_t slots = std::min({std::max(tablet.keyCount, 1), area.capacity(), block.SlotRoom()});
    if (slots > 0)
        std::memcpy(block.Slot(0), area.base + KEYAREA_KEYS_OFFSET, KEYACTION_SIZE * static_cast<size_t>(slots));
    CompleteKeys(block, area.head()->record.keyCount, slots);
}

void ExpressKeyStorage::FillSlotsBeyondArea(const TABLETINFO& tablet, const KeyAreaView& area, KeyBlock& block) const
{
    // A tablet with more keys than the key area holds keeps the rest in the
    // device file: without them a save would write those slots back empty.
    const int32_t held = std::max(area.capacity(), 0);
    if (tablet.keyCount <= held || block.Empty())
        return;
    KeyBlock stored;
    if (!ReadTabletFindRecord(tablet, stored))
        return;
    const int32_t end = std::min({tablet.keyCount, stored.SlotRoom(), block.SlotRoom()});
    for (int32_t k = held; k < end; ++k)
        std::memcpy(block.Slot(k), stored.Slot(k), KEYACTION_SIZE);
    if (end > held)
        block.Head().keyCount = std::max(block.Head().keyCount, std::min(stored.Head().keyCount, end));
}

void ExpressKeyStorage::LoadDefaults(const TABLETINFO& tablet, KeyBlock& block) const
{
    block.Allocate(tablet.keyCount);
    block.Head().info = tablet;
    CompleteKeys(block, -1, 0);
}

void ExpressKeyStorage::CompleteKeys(KeyBlock& block, int32_t storedCount, int32_t slotsRead) const
{
    if (storedCount == -1) {
        FillDefaultKeyTable(block.Data(), block.Size(), block.Head().info.keyCount,
                                           policy_.defaults);
        for (int32_t k = std::max(policy_.defaultSlots, 0); k < block.Head().keyCount; ++k)
            if (KEYACTION* slot = block.Slot(k))
                std::memset(slot, 0, KEYACTION_SIZE);
        return;
    }
    block.Head().keyCount = std::clamp(storedCount, 0, std::max(slotsRead, 0));
}

int32_t ExpressKeyStorage::PublishKeys(const KeyBlock& block, const KeyAreaView& area, bool withInfo) const
{
    return PublishKeys(block, area, withInfo, nullptr);
}

int32_t ExpressKeyStorage::PublishKeys(const KeyBlock& block, const KeyAreaView& area, bool withInfo,
                                       const TABLETRECORD_HEAD* stored) const
{
    if (!area.valid() || block.Empty())
        return -1;
    TABLETRECORD_HEAD& live = area.head()->record;
    TABLETINFO info = block.Head().info;
    // Viewtap and the rotation choice publish the rotation in the area; the block's may be older.
    info.rotationCode = live.info.rotationCode;
    if (!SameDevice(live.info, info.VID, info.PID))
        PutWholeRecord(info, stored, area);
    else if (withInfo)
        live.info = info;
    const int32_t slots = std::min({std::max(block.SlotCount(), 1), area.capacity(), block.SlotRoom()});
    live.keyCount = std::clamp(block.Head().keyCount, 0, std::max(slots, 0));
    if (slots > 0)
        std::memcpy(area.base + KEYAREA_KEYS_OFFSET, block.Slot(0), KEYACTION_SIZE * static_cast<size_t>(slots));
    return std::max(slots, 0);
}

void ExpressKeyStorage::PutWholeRecord(const TABLETINFO& info, const TABLETRECORD_HEAD* stored,
                                       const KeyAreaView& area) const
{
    // The area holds another device, whose mapping is not this tablet's: the
    // tablet's own (or the defaults) goes in with it, and nothing of the
    // other device's stays behind the keys.
    std::vector<uint8_t> complete(area.recordRoom());
    TABLETRECORD_HEAD& head = *RecordHead(complete.data());
    if (stored == nullptr) {
        settings_.LoadDeviceRecord(complete.data(), complete.size(), info);
    } else {
        head.mapping = stored->mapping;
        if (head.mapping.monitorListCount == -1)
            SettingsFiles::InitDeviceRecord(complete.data(), info);
    }
    std::memset(complete.data() + TABLETRECORD_HEAD_SIZE, 0, complete.size() - TABLETRECORD_HEAD_SIZE);
    head.info = info;
    std::memcpy(area.record(), complete.data(), complete.size());
}

int ExpressKeyStorage::SaveToDeviceFile(const KeyBlock& block, const KeyAreaView& area) const
{
    if (block.Empty() || block.SlotRoom() < std::max(block.Head().info.keyCount, 1))
        return 0;
    char path[SETTINGS_PATH_SIZE];
    if (!settings_.PathOf(DEVICE_SETTINGS_FILE, path, sizeof path))
        return 0;
    ScopedFile file(files_, path, IFileSystem::Access::ReadWrite);
    TABLETRECORD_HEAD written{};
    if (!file.IsOpen() || !WriteTabletRecord(file, block, written))
        return 0;
    // The mapping just written is the tablet's own: no second read of the file.
    PublishKeys(block, area, false, &written);
    return 1;
}

bool ExpressKeyStorage::WriteTabletRecord(const ScopedFile& file, const KeyBlock& block,
                                          TABLETRECORD_HEAD& written) const
{
    const TABLETINFO& tablet = block.Head().info;
    std::vector<uint8_t> record(block.Data(), block.Data() + TabletRecordSize(tablet.keyCount));
    TABLETRECORD_HEAD& head = *RecordHead(record.data());
    DeviceFileChain chain(files_, file.Get());
    // The first record of the tablet's interface is the one every reader finds.
    while (chain.NextHeader()) {
        const bool match = SameInterface(chain.Header(), tablet);
        if (match) {
            // Its header and mapping stay; it is sized for the tablet's keys.
            head.info = chain.Header();
            head.info.keyCount = tablet.keyCount;
        }
        if (!chain.ReadBody(match ? reinterpret_cast<uint8_t*>(&head.mapping) : nullptr,
                            match ? sizeof head.mapping : 0))
            break;
        if (match) {
            written = head;
            return ReplaceRecord(file, chain, record);
        }
    }
    // A read error is not the end of the chain: appending there would
    // overwrite whatever follows.
    const uint64_t cutRecord = chain.RecordBytesRead();
    if (chain.ReadFailed() || !chain.BackToRecordStart())
        return false;
    // A new record (or one replacing a damaged tail) carries only the keys.
    head.info = tablet;
    head.mapping = block.Head().mapping;
    head.mapping.monitorListCount = -1;
    written = head;
    // Written over the damaged tail; what of it lies beyond the record stays.
    const int64_t start = file.Position();
    std::vector<uint8_t> covered;
    return start >= 0 && ReadUpTo(file, std::min<uint64_t>(cutRecord, record.size()), covered) &&
           Rewrite(file, start, covered, record);
}

bool ExpressKeyStorage::ReplaceRecord(const ScopedFile& file, DeviceFileChain& chain,
                                      const std::vector<uint8_t>& record) const
{
    const uint64_t storedSize = chain.RecordBytesRead();
    if (!chain.BackToRecordStart())
        return false;
    const int64_t start = file.Position();
    // A record that changes size moves every record behind it, byte for byte.
    std::vector<uint8_t> stored;
    if (start < 0 || !ReadUpTo(file, storedSize == record.size() ? storedSize : UINT64_MAX, stored) ||
        stored.size() < storedSize)
        return false;
    std::vector<uint8_t> replacement(record);
    replacement.insert(replacement.end(), stored.begin() + static_cast<std::ptrdiff_t>(storedSize), stored.end());
    return Rewrite(file, start, stored, replacement);
}

bool ExpressKeyStorage::Rewrite(const ScopedFile& file, int64_t start, const std::vector<uint8_t>& stored,
                                const std::vector<uint8_t>& replacement) const
{
    const size_t overlap = std::min(stored.size(), replacement.size());
    const int64_t storedEnd = start + static_cast<int64_t>(stored.size());
    // Only the bytes beyond the old end need new room on the disk. Written
    // first, a full disk or quota stops them before any stored byte changed,
    // and cutting the file back undoes them.
    if (replacement.size() > overlap &&
        !(file.MoveTo(storedEnd) &&
          file.WriteAll(replacement.data() + overlap, static_cast<uint32_t>(replacement.size() - overlap)))) {
        static_cast<void>(file.MoveTo(storedEnd) && files_.EndHere(file.Get()));
        return false;
    }
    if (file.MoveTo(start) && (overlap == 0 || file.WriteAll(replacement.data(), static_cast<uint32_t>(overlap))) &&
        (replacement.size() >= stored.size() || files_.EndHere(file.Get())))
        return true;
    // The old bytes go back over room the file already has: a full disk or
    // quota cannot stop that, only an error that strikes again.
    static_cast<void>(file.MoveTo(start) && file.WriteAll(stored.data(), static_cast<uint32_t>(stored.size())) &&
                      (replacement.size() == stored.size() || files_.EndHere(file.Get())));
    return false;
}

bool ExpressKeyStorage::ReadUpTo(const ScopedFile& file, uint64_t count, std::vector<uint8_t>& out) const
{
    constexpr uint32_t CHUNK = 64 * 1024;
    out.clear();
    while (out.size() < count) {
        if (out.size() > MAX_MOVED_BYTES)
            return false;
        const size_t had = out.size();
        const uint32_t ask = static_cast<uint32_t>(std::min<uint64_t>(CHUNK, count - had));
        out.resize(had + ask);
        const int32_t got = files_.Read(file.Get(), out.data() + had, ask);
        if (got < 0)
            return false;
        out.resize(had + static_cast<size_t>(got));
        if (got == 0)
            break;
    }
    return true;
}
