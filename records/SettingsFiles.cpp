#include "SettingsFiles.h"

#include "DefaultKeyTable.h"
#include "DeviceFileChain.h"
#include "PenFileWriter.h"
#include "ScopedFile.h"
#include "SectionDefaults.h"
#include "ServiceCodes.h"

#include <algorithm>
#include <cstring>

namespace {

// An appended record is padded with zeros up to the size its header names
// when the caller holds fewer keys (a key area smaller than the model). A
// header naming more keys than this is damaged, and nothing is appended.
constexpr int32_t MAX_PADDED_KEYS = 64;

// Keys a record of `room` bytes holds for a model with keyCount keys.
int32_t StoredKeyCount(int32_t keyCount, size_t room)
{
    return std::max(0, std::min(keyCount, KeyCapacityOf(room)));
}

bool SameInterface(const TABLETINFO& a, const TABLETINFO& b)
{
    return a.VID == b.VID && a.PID == b.PID && a.InputReportByteLength_Pen == b.InputReportByteLength_Pen;
}

bool SameModel(const TABLETINFO& a, const TABLETINFO& b)
{
    return a.VID == b.VID && a.PID == b.PID && a.keyCount == b.keyCount;
}

// Writes `count` zero bytes.
bool WriteZeros(const ScopedFile& file, uint64_t count)
{
    static const uint8_t zeros[KEYACTION_SIZE] = {};
    while (count > 0) {
        uint32_t part = static_cast<uint32_t>(std::min<uint64_t>(count, sizeof zeros));
        if (!file.WriteAll(zeros, part))
            return false;
        count -= part;
    }
    return true;
}

// Appends exactly one whole record as its header sizes it, so the chain
// stays walkable whatever size the caller passed. The part not being saved
// is marked "not set" in the appended bytes only: the caller's record may be
// the live key area.
bool AppendRecord(const ScopedFile& file, const uint8_t* record, size_t size, bool keys)
{
    const int32_t keyCount = RecordHead(record)->info.keyCount;
    const uint64_t whole = sizeof(TABLETINFO) + DeviceFileChain::BodySizeOf(keyCount);
    if (whole > size && keyCount > MAX_PADDED_KEYS)
        return false;
    TABLETRECORD_HEAD head;
    std::memcpy(&head, record, sizeof head);
    if (keys)
        head.mapping.monitorListCount = -1;
    else
        head.keyCount = -1;
    const uint64_t fromRecord = std::min<uint64_t>(whole, size);
    return file.WriteAll(&head, sizeof head) &&
           file.WriteAll(record + sizeof head, static_cast<uint32_t>(fromRecord - sizeof head)) &&
           WriteZeros(file, whole - fromRecord);
}

}  // namespace

bool SettingsFiles::PathOf(const char* suffix, char* out, size_t size) const
{
    if (suffix == nullptr || out == nullptr || size == 0)
        return false;
    out[0] = '\0';
    char folder[SETTINGS_PATH_SIZE] = {};
    if (!folder_.ProgramFilesFolder(folder, sizeof folder))
        return false;
    folder[sizeof folder - 1] = '\0';
    const size_t folderLength = std::strlen(folder);
    const size_t suffixLength = std::strlen(suffix);
    if (folderLength + suffixLength >= size)
        return false;
    std::memcpy(out, folder, folderLength);
    std::memcpy(out + folderLength, suffix, suffixLength + 1);
    return true;
}

int SettingsFiles::ReadSupportedDeviceTable(TABLETINFO* table) const
{
    if (table == nullptr)
        return 0;
    int count = 0;
    char path[SETTINGS_PATH_SIZE];
    if (PathOf(SUPPORTED_DEVICES_FILE, path, sizeof path)) {
        ScopedFile file(files_, path, IFileSystem::Access::Read);
        while (file.IsOpen() && count < MAX_SUPPORTED_DEVICES && file.ReadAll(&table[count], sizeof(TABLETINFO)))
            ++count;
    }
    // The end entry (VID 0, PID 0); cleared whole, as a short read may have left part of a record in it.
    std::memset(&table[count], 0, sizeof(TABLETINFO));
    return count;
}

int SettingsFiles::FindSupportedDevice(TABLETINFO& out, uint16_t vid, uint16_t pid, uint16_t penReportLength) const
{
    char path[SETTINGS_PATH_SIZE];
    if (!PathOf(SUPPORTED_DEVICES_FILE, path, sizeof path))
        return 0;
    ScopedFile file(files_, path, IFileSystem::Access::Read);
    TABLETINFO entry;
    // Only the records the table holds are recognised.
    for (int i = 0; file.IsOpen() && i < MAX_SUPPORTED_DEVICES && file.ReadAll(&entry, sizeof entry); ++i) {
        if (entry.VID == vid && entry.PID == pid && entry.InputReportByteLength_Pen == penReportLength) {
            out = entry;
            return 1;
        }
    }
    return 0;
}

int32_t SettingsFiles::LoadDeviceRecord(uint8_t* out, size_t room, const TABLETINFO& device) const
{
    if (out == nullptr || room < TABLETRECORD_HEAD_SIZE)
        return 0;
    char path[SETTINGS_PATH_SIZE];
    if (!PathOf(DEVICE_SETTINGS_FILE, path, sizeof path))
        return BuildDefaultRecord(out, room, device);
    ScopedFile file(files_, path, IFileSystem::Access::Read);
    if (!file.IsOpen())
        return BuildDefaultRecord(out, room, device);

    DeviceFileChain chain(files_, file.Get());
    while (chain.NextHeader()) {
        if (!SameInterface(chain.Header(), device)) {
            if (!chain.SkipBody())
                break;
            continue;
        }
        std::memcpy(out, &chain.Header(), sizeof(TABLETINFO));
        if (chain.ReadBody(out + sizeof(TABLETINFO), room - sizeof(TABLETINFO)))
            return CompleteStoredRecord(out, room, device);
        // Cut short by the end of the file: nothing of it is trusted.
        std::memset(out, 0, static_cast<size_t>(std::min<uint64_t>(room, chain.RecordBytesRead())));
        break;
    }
    return BuildDefaultRecord(out, room, device);
}

bool SettingsFiles::ReadDeviceRecord(uint16_t vid, uint16_t pid, int32_t maxSlots, std::vector<uint8_t>& out) const
{
    out.clear();
    char path[SETTINGS_PATH_SIZE];
    if (!PathOf(DEVICE_SETTINGS_FILE, path, sizeof path))
        return false;
    ScopedFile file(files_, path, IFileSystem::Access::Read);
    if (!file.IsOpen())
        return false;
    DeviceFileChain chain(files_, file.Get());
    if (!chain.FindDevice(vid, pid))
        return false;
    const int32_t kept = std::min(std::max(chain.Header().keyCount, 1), std::max(maxSlots, 0));
    std::vector<uint8_t> record(TABLETRECORD_HEAD_SIZE + KEYACTION_SIZE * static_cast<size_t>(kept));
    std::memcpy(record.data(), &chain.Header(), sizeof(TABLETINFO));
    if (!chain.ReadBody(record.data() + sizeof(TABLETINFO), record.size() - sizeof(TABLETINFO)))
        return false;  // cut short: nothing of it is trusted
    out.swap(record);
    return true;
}

int32_t SettingsFiles::CompleteStoredRecord(uint8_t* out, size_t room, const TABLETINFO& device) const
{
    TABLETRECORD_HEAD* head = RecordHead(out);
    const int32_t storedKeys = head->info.keyCount;
    if (head->mapping.monitorListCount == -1)
        InitDeviceRecord(out, device);
    if (head->keyCount == -1) {
        InitDefaultKeyTable(out, room, device.keyCount);
        return head->keyCount;
    }
    // The key table's count says how many keys `out` really holds, never more.
    head->keyCount = StoredKeyCount(storedKeys, room);
    return head->keyCount;
}

int32_t SettingsFiles::BuildDefaultRecord(uint8_t* out, size_t room, const TABLETINFO& device) const
{
    InitDefaultKeyTable(out, room, device.keyCount);
    InitDeviceRecord(out, device);
    return RecordHead(out)->keyCount;
}

size_t SettingsFiles::ReadFirstDeviceRecord(uint8_t* out, size_t room) const
{
    char path[SETTINGS_PATH_SIZE];
    if (!PathOf(DEVICE_SETTINGS_FILE, path, sizeof path))
        return 0;
    ScopedFile file(files_, path, IFileSystem::Access::Read);
    if (!file.IsOpen())
        return 0;
    DeviceFileChain chain(files_, file.Get());
    if (!chain.NextHeader())
        return 0;
    if (out == nullptr)
        room = 0;
    if (room > 0)
        std::memcpy(out, &chain.Header(), std::min(room, sizeof(TABLETINFO)));
    const bool whole = room > sizeof(TABLETINFO) ? chain.ReadBody(out + sizeof(TABLETINFO), room - sizeof(TABLETINFO))
                                                 : chain.SkipBody();
    if (!whole) {
        if (room > 0)
            std::memset(out, 0, static_cast<size_t>(std::min<uint64_t>(room, chain.RecordBytesRead())));
        return 0;
    }
    return static_cast<size_t>(chain.RecordBytesRead());
}

int SettingsFiles::WriteDeviceKeys(const uint8_t* record, size_t size) const
{
    return WriteDevicePart(record, size, true);
}

int SettingsFiles::WriteDeviceMapping(const uint8_t* record, size_t size) const
{
    return WriteDevicePart(record, size, false);
}

int SettingsFiles::WriteDevicePart(const uint8_t* record, size_t size, bool keys) const
{
    if (record == nullptr || size < TABLETRECORD_HEAD_SIZE)
        return 0;
    char path[SETTINGS_PATH_SIZE];
    if (!PathOf(DEVICE_SETTINGS_FILE, path, sizeof path))
        return 0;
    ScopedFile file(files_, path, IFileSystem::Access::ReadWrite);
    if (!file.IsOpen())
        return 0;

    DeviceFileChain chain(files_, file.Get());
    const TABLETINFO& info = RecordHead(record)->info;
    while (chain.NextHeader()) {
        const bool match = SameModel(chain.Header(), info);
        if (!chain.SkipBody())
            break;
        if (match)
            return chain.BackToBody() && WriteInPlace(file, chain, record, size, keys) ? 1 : 0;
    }
    // A read error is not the end of the chain: appending there would
    // overwrite whatever follows.
    if (chain.ReadFailed())
        return 0;

    // A partial header or a record cut short by the end of the file is replaced.
    if (!chain.BackToRecordStart())
        return 0;
    return AppendRecord(file, record, size, keys) ? 1 : 0;
}

bool SettingsFiles::WriteInPlace(const ScopedFile& file, DeviceFileChain& chain, const uint8_t* record,
                                 size_t size, bool keys) const
{
    constexpr size_t MAPPING_OFFSET = offsetof(TABLETRECORD_HEAD, mapping);
    if (keys) {
        // Key count and keys, never past the end of the record in the file.
        const uint64_t whole = sizeof(TABLETINFO) + chain.BodySize();
        const uint64_t length = std::min<uint64_t>(size, whole) - RECORD_KEYCOUNT_OFFSET;
        return files_.SeekRelative(file.Get(), sizeof(MAPPINGDEF)) &&
               file.WriteAll(record + RECORD_KEYCOUNT_OFFSET, static_cast<uint32_t>(length));
    }
    if (policy_.mappingWriterRewritesHeader) {
        if (!files_.SeekRelative(file.Get(), -static_cast<int64_t>(sizeof(TABLETINFO))) ||
            !file.WriteAll(record, sizeof(TABLETINFO)))
            return false;
    }
    return file.WriteAll(record + MAPPING_OFFSET, sizeof(MAPPINGDEF));
}

int SettingsFiles::ReadPenSettingsFile(PENSETTINGS& out) const
{
    char path[SETTINGS_PATH_SIZE];
    if (!PathOf(PEN_SETTINGS_FILE, path, sizeof path))
        return 0;
    ScopedFile file(files_, path, IFileSystem::Access::Read);
    if (!file.IsOpen())
        return 0;
    return files_.Read(file.Get(), &out, sizeof out) > 0 ? 1 : 0;
}

bool SettingsFiles::WritePenSettingsFile(const PENSETTINGS& record) const
{
    char path[SETTINGS_PATH_SIZE];
    return PathOf(PEN_SETTINGS_FILE, path, sizeof path) && PenFileWriter::Write(files_, path, record);
}

void SettingsFiles::InitDeviceRecord(uint8_t* record, const TABLETINFO& info)
{
    if (record == nullptr)
        return;
    TABLETRECORD_HEAD* head = RecordHead(record);
    std::memmove(&head->info, &info, sizeof info);
    FillMappingFromInfo(head->mapping, head->info);
}

void SettingsFiles::InitDefaultKeyTable(uint8_t* record, size_t room, int32_t keyCount) const
{
    FillDefaultKeyTable(record, room, keyCount, policy_.defaultKeys);
}
