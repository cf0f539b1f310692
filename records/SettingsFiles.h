// The three record files below "<Program Files>\Tablet": the supported-device
// table (installed, read only), the per-device settings chain and the pen
// settings. Files are only ever opened, never created.
#pragma once

#include "DefaultKeyTable.h"
#include "FileSystem.h"
#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class DeviceFileChain;
class ScopedFile;

constexpr int MAX_SUPPORTED_DEVICES = 512;
constexpr int SUPPORTED_TABLE_ENTRIES = MAX_SUPPORTED_DEVICES + 1;  // with the end entry
constexpr size_t SETTINGS_PATH_SIZE = 260;

// What differs between the builds that read and write these files.
struct SettingsFilePolicy {
    bool mappingWriterRewritesHeader;  // a mapping save also rewrites the record's header
    DefaultKeyTable defaultKeys;       // the table of a record whose keys were never set
};

// The two brands' rules, for the service builds and the panels alike (on
// older systems a panel writes the device file itself, as its service
// would). The library form keeps the first brand's.
inline constexpr SettingsFilePolicy kStyloraSettingsFiles{false, DefaultKeyTable::SidedModifiers};
inline constexpr SettingsFilePolicy kPenmiraSettingsFiles{true, DefaultKeyTable::TenKeys};

class SettingsFiles {
public:
    SettingsFiles(IProgramFilesFolder& folder, IFileSystem& files, const SettingsFilePolicy& policy)
        : folder_(folder), files_(files), policy_(policy) {}

    // Full path of one of the files ("\Tablet\..."); false when it does not fit.
    bool PathOf(const char* suffix, char* out, size_t size) const;

    // Up to 512 records into table (SUPPORTED_TABLE_ENTRIES entries), then the
    // end entry; returns the count (0 without the file).
    int ReadSupportedDeviceTable(TABLETINFO* table) const;
    // 1 and the file's record of that VID, PID and pen report length, else 0.
    int FindSupportedDevice(TABLETINFO& out, uint16_t vid, uint16_t pid, uint16_t penReportLength) const;

    // Builds the complete record of a device into out (room bytes) and returns
    // its key count. Keys beyond the room are not stored: the count returned,
    // and the record's own count at +236, are the keys out really holds. A
    // room too small for the fixed head gets nothing (0).
    int32_t LoadDeviceRecord(uint8_t* out, size_t room, const TABLETINFO& device) const;
    // The panels' lookup of a device's stored record: the first one of that
    // VID and PID, its header and body as stored, of which out keeps at most
    // maxSlots key slots (the rest is read past, so a record the file cuts
    // short is still told). False without the file or such a whole record.
    bool ReadDeviceRecord(uint16_t vid, uint16_t pid, int32_t maxSlots, std::vector<uint8_t>& out) const;
    // Bytes of the first record of the device file (0 when none, or when the
    // file ends inside it); with out, the record is read into it, at most room bytes.
    size_t ReadFirstDeviceRecord(uint8_t* out, size_t room) const;
    // Rewrite in place, or append when the device has no record. 1 when written.
    // record holds size bytes; exactly one whole record as its header sizes it
    // is written (an append is padded with zeros), never more. An appended
    // record marks the part not saved as "not set"; record itself is not changed.
    int WriteDeviceKeys(const uint8_t* record, size_t size) const;
    int WriteDeviceMapping(const uint8_t* record, size_t size) const;

    // 1 when the read returned any bytes (a short file fills only what it has).
    int ReadPenSettingsFile(PENSETTINGS& out) const;
    // True when the whole record was written over the start of the file.
    bool WritePenSettingsFile(const PENSETTINGS& record) const;

    // Default builders. room bounds how many keys are written; the record's key
    // count becomes the number written (0 for a negative count).
    static void InitDeviceRecord(uint8_t* record, const TABLETINFO& info);
    void InitDefaultKeyTable(uint8_t* record, size_t room, int32_t keyCount) const;

private:
    int WriteDevicePart(const uint8_t* record, size_t size, bool keys) const;
    bool WriteInPlace(const ScopedFile& file, DeviceFileChain& chain, const uint8_t* record, size_t size,
                      bool keys) const;
    int32_t CompleteStoredRecord(uint8_t* out, size_t room, const TABLETINFO& device) const;
    int32_t BuildDefaultRecord(uint8_t* out, size_t room, const TABLETINFO& device) const;

    IProgramFilesFolder& folder_;
    IFileSystem& files_;
    SettingsFilePolicy policy_;
};
