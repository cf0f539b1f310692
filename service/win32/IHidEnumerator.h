// The present HID interfaces as the device search sees them. The service
// uses the SetupAPI/HID implementation; tests script the interfaces.
#pragma once

#include "ScopedHandle.h"
#include "TabletMatcher.h"

#include <windows.h>

class IHidEnumerator {
public:
    // Interface indexes a search tries: 0 to 32.
    static constexpr int MAX_INTERFACES = 33;

    virtual ~IHidEnumerator() = default;

    // Opens the index-th present interface for reading and writing, exclusive
    // and overlapped; empty when there is no such interface or it does not
    // open (an interface a read thread holds refuses a second open).
    virtual ScopedHandle Open(int index) = 0;
    // Attributes and capabilities of the interface opened as `device`.
    virtual HidInterfaceInfo Describe(int index, HANDLE device) = 0;
    // How many input reports the driver keeps for the device.
    virtual void SetNumInputBuffers(HANDLE device, ULONG count) = 0;
};
