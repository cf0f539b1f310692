// The real HID interfaces of the machine, through SetupAPI and the HID class driver.
#pragma once

#include "IHidEnumerator.h"

#include <windows.h>

// Opens the index-th present interface of the device class `guid`: exclusive
// (no sharing), read and write, overlapped. Empty when there is none.
ScopedHandle OpenHidInterface(const GUID& guid, int index);

class SetupApiHidEnumerator : public IHidEnumerator {
public:
    SetupApiHidEnumerator();

    ScopedHandle Open(int index) override;
    HidInterfaceInfo Describe(int index, HANDLE device) override;
    void SetNumInputBuffers(HANDLE device, ULONG count) override;

private:
    GUID hidGuid_{};
};
