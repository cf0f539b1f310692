// The tablets the service holds open right now: one entry per pen interface
// that a read thread serves. The removal path walks it to find which record
// the key area should show once a tablet is unplugged.
#pragma once

#include <cstdint>

struct AttachedDevice {
    uint16_t vid = 0;
    uint16_t pid = 0;
    uint16_t penReportLength = 0;
    uint16_t keyReportLength = 0;

    bool IsFree() const { return vid == 0 && pid == 0; }
};

class AttachedDeviceTable {
public:
    static constexpr int CAPACITY = 32;

    // Fills the first free entry; a full table takes no entry (false).
    bool AddAttachedDevice(const AttachedDevice& device);
    // Clears the last entry (highest index first) matching all three values.
    bool RemoveAttachedDevice(uint16_t vid, uint16_t pid, uint16_t penReportLength);

    const AttachedDevice& At(int index) const { return entries_[index]; }

private:
    AttachedDevice entries_[CAPACITY];
};
