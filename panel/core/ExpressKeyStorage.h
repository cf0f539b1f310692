// Where the express-key page's key block comes from and where Save puts it:
// the key area of the running service, the device file, or the default
// table; and on older systems the device file, written by the panel itself.
// Every copy to or from the key area is bounded by the section's capacity;
// slots beyond it count as absent.
#pragma once

#include "KeyBlock.h"
#include "SettingsFiles.h"
#include "SharedSections.h"
#include "FileSystem.h"

#include <cstdint>
#include <vector>

class DeviceFileChain;
class ScopedFile;

struct KeyStoragePolicy {
    DefaultKeyTable defaults;
    int32_t defaultSlots;  // slots the table sets; the page zeroes the rest (disabled)
};

inline constexpr KeyStoragePolicy kStyloraKeyStorage{DefaultKeyTable::PlainModifiers, 18};
inline constexpr KeyStoragePolicy kPenmiraKeyStorage{DefaultKeyTable::TenKeys, 10};

class ExpressKeyStorage {
public:
    ExpressKeyStorage(IFileSystem& files, const SettingsFiles& settings, const KeyStoragePolicy& policy)
        : files_(files), settings_(settings), policy_(policy) {}

    // Chooses the tablet of the listed ones whose keys the page shows and
    // fills the block: the key area when it names that tablet, else the
    // device file, else the default table. vid and pid both 0: the first
    // listed tablet with a device-file record. Returns the list index, -1
    // for an empty list.
    int LoadTabletKeys(const TABLETINFO* list, int count, uint16_t vid, uint16_t pid, const KeyAreaView& area,
                       KeyBlock& block) const;

    // The device file's record of the tablet (matched by VID and PID) into a
    // new block headed by the listed TABLETINFO. False when the file is
    // missing or holds no whole record of it (the block is then left empty).
    bool ReadTabletFindRecord(const TABLETINFO& tablet, KeyBlock& block) const;
    void LoadFromKeyArea(const KeyAreaView& area, const TABLETINFO& tablet, KeyBlock& block) const;
    void LoadDefaults(const TABLETINFO& tablet, KeyBlock& block) const;

    // The key count and slots into the key area (+240), and with withInfo
    // the TABLETINFO (+4), keeping the rotation code the area holds. An area
    // holding another device gets the tablet's whole record instead: its
    // header, its own mapping and its keys, never parts of two devices.
    // Returns the slots copied, -1 without a key area.
    int32_t PublishKeys(const KeyBlock& block, const KeyAreaView& area, bool withInfo) const;

    // Older systems: the device file's first record of the tablet (same VID,
    // PID and pen report length) gets the keys, resized when it was stored
    // with another key count; a tablet without one is appended. Then the key
    // area gets the keys. 1 done; 0 when the file is missing or a transfer
    // failed, and the key area and the file are then as they were (unless
    // the file cannot even take its old bytes back).
    int SaveToDeviceFile(const KeyBlock& block, const KeyAreaView& area) const;

private:
    // stored: the record an older system's save has just written, else the
    // mapping comes from the device file.
    int32_t PublishKeys(const KeyBlock& block, const KeyAreaView& area, bool withInfo,
                        const TABLETRECORD_HEAD* stored) const;
    void PutWholeRecord(const TABLETINFO& info, const TABLETRECORD_HEAD* stored, const KeyAreaView& area) const;
    // written: the head of the record as it went into the file.
    bool WriteTabletRecord(const ScopedFile& file, const KeyBlock& block, TABLETRECORD_HEAD& written) const;
    // Puts record where the chain's current record, read whole, stands.
    bool ReplaceRecord(const ScopedFile& file, DeviceFileChain& chain, const std::vector<uint8_t>& record) const;
    // Puts replacement where stored stands: the file's bytes from start on,
    // up to its end when the two differ in size. On a failure the stored
    // bytes and the old length are put back.
    bool Rewrite(const ScopedFile& file, int64_t start, const std::vector<uint8_t>& stored,
                 const std::vector<uint8_t>& replacement) const;
    // Up to count bytes from the file position on, fewer at the end of the file.
    bool ReadUpTo(const ScopedFile& file, uint64_t count, std::vector<uint8_t>& out) const;
    // Slots beyond the key area's capacity from the device file's record.
    void FillSlotsBeyondArea(const TABLETINFO& tablet, const KeyAreaView& area, KeyBlock& block) const;
    // A stored count of -1 (keys never set) gets the default table.
    void CompleteKeys(KeyBlock& block, int32_t storedCount, int32_t slotsRead) const;

    IFileSystem& files_;
    const SettingsFiles& settings_;
    const KeyStoragePolicy& policy_;
};
