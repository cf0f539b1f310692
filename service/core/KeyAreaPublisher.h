// Builds a tablet's settings record from the device file (or the defaults)
// and publishes it in the key area, where the panel and the overlay read it.
// Callers serialise its use: it keeps one record buffer.
#pragma once

#include "AttachedDeviceTable.h"
#include "ServiceContext.h"
#include "SettingsFiles.h"
#include "TabletRecords.h"

#include <cstdint>
#include <vector>

class KeyAreaPublisher {
public:
    KeyAreaPublisher(ServiceContext& context, const BuildPolicy& policy, const SettingsFiles& settings);

    // Builds the record of `device` into the zeroed buffer; returns its key
    // count, bounded by the keys the buffer holds.
    int32_t LoadDeviceRecord(const TABLETINFO& device);
    // Copies the loaded record of `keyCount` keys into the key area: 756 bytes
    // below two keys, else 240 + 516 n, never beyond the section's capacity.
    void PublishRecord(int32_t keyCount);

    // After an unplug: the last attached tablet that the supported-device
    // table knows gets its record published. 1 when a record was loaded.
    int ReloadRemainingDeviceSettings(const AttachedDeviceTable& attached);

    const TABLETRECORD_HEAD& Head() const { return *RecordHead(buffer_.data()); }
    const KEYACTION* Keys() const { return RecordKeys(buffer_.data()); }
    int32_t KeyRoom() const { return KeyCapacityOf(buffer_.size()); }

private:
    ServiceContext& context_;
    const SettingsFiles& settings_;
    std::vector<uint8_t> buffer_;
};
