#include "AttachedDeviceTable.h"

bool AttachedDeviceTable::AddAttachedDevice(const AttachedDevice& device)
{
    for (AttachedDevice& entry : entries_) {
        if (entry.IsFree()) {
            entry = device;
            return true;
        }
    }
    return false;
}

bool AttachedDeviceTable::RemoveAttachedDevice(uint16_t vid, uint16_t pid, uint16_t penReportLength)
{
    for (int index = CAPACITY - 1; index >= 0; --index) {
        AttachedDevice& entry = entries_[index];
        if (entry.vid == vid && entry.pid == pid && entry.penReportLength == penReportLength) {
            entry = AttachedDevice{};
            return true;
        }
    }
    return false;
}
