// Performs the command that another process left in the connection section's
// command word. The wait for the command event belongs to the platform side;
// this is what happens once it is signalled.
#pragma once

#include "ServiceContext.h"
#include "SettingsFiles.h"

#include <cstddef>
#include <cstdint>

class ServiceCommands {
public:
    explicit ServiceCommands(ServiceContext& context);

    // Unknown codes, and codes of another build, are ignored.
    void Perform(int32_t code);

    // Bytes of the key area's record that a save of keys or mapping writes:
    // the record of its key count, never more keys than the section holds.
    // 0 when the key area cannot hold a record at all.
    static size_t KeyAreaRecordSize(const KeyAreaView& keyArea);

private:
    void PerformContextCommand(int32_t code);
    void SetRotation();
    void SetDisablePressure();
    void SavePenSettings();
    void SaveKeys();
    void SaveMapping();
    void ReloadDeviceRecord();

    ServiceContext& context_;
    SettingsFiles files_;
};
