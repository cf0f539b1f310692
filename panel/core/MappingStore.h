// Where the mapping page's record goes and comes from: the live key area the
// service reads, and the device file the panel writes itself on systems
// before version 6.
#pragma once

#include "MappingRecord.h"
#include "SharedSections.h"
#include "SettingsFiles.h"

#include <cstdint>
#include <vector>

// The tablet the page shows after SelectDevice: its index in the connected
// list and the record the page edits.
struct DeviceSelection {
    MappingRecord record;  // first: its packed fields stay aligned
    int index = 0;
    bool stored = false;   // from the key area or the device file, not fresh
};

class MappingStore {
public:
    explicit MappingStore(const SettingsFiles& settings) : settings_(settings) {}

    // The record for the connected tablets (at least one): the asked VID and
    // PID (0, 0: the first tablet with a stored record) from the key area
    // when it holds that device, else from the device file; else a fresh
    // record for the asked tablet, or for the first one.
    DeviceSelection SelectDevice(const std::vector<TABLETINFO>& tablets, uint16_t vid, uint16_t pid,
                                 const KeyAreaView& area, const RECT32& desktop) const;

    // Publishes the page's record into the key area. When the area holds the
    // same device only the parts the page owns (TABLETINFO and MAPPINGDEF)
    // are written, so its key count and keys stay as the key page left them;
    // otherwise the area gets the shown device's complete record, its keys
    // from the device file or the defaults, never more than the area holds.
    // Either way the header keeps the rotation code the area holds.
    // Returns the bytes written (0 for an unusable view).
    size_t PublishToKeyArea(const KeyAreaView& area, const MappingRecord& record) const;

    // Writes the mapping into the device file: in place into the device's
    // record, or appended as a new record whose keys are marked "not set";
    // its header with the rotation code the key area holds. The page's
    // record is not changed. 1 written, 0 not.
    int WriteToDeviceFile(const MappingRecord& record, const KeyAreaView& area) const;

    // The device's stored record (VID and PID match), its head only; false
    // without the file or such a whole record.
    bool LoadDeviceSettings(uint16_t vid, uint16_t pid, MappingRecord& out) const;

private:
    static TABLETRECORD_HEAD PublishedHead(const KeyAreaView& area, const MappingRecord& record);

    const SettingsFiles& settings_;
};
