// Everything one device-service process owns, whichever build it is: the
// system door, the files, the shared sections and their security, the
// portable core over them and the device search. The service shell and the
// library exports drive it.
#pragma once

#include "BuildPolicy.h"
#include "DeviceManager.h"
#include "NamedRingLock.h"
#include "SecurityAttributes.h"
#include "ServiceCore.h"
#include "SettingsFiles.h"
#include "SharedSectionSet.h"
#include "Win32FileSystem.h"
#include "Win32System.h"

#include <windows.h>

#include <memory>

class ServiceRuntime {
public:
    // source: where the device search finds tablets.
    ServiceRuntime(const BuildPolicy& policy, bool lookForInjectionLibrary, HidSource source);
    ServiceRuntime(const ServiceRuntime&) = delete;
    ServiceRuntime& operator=(const ServiceRuntime&) = delete;

    // Security attributes, then the sections; false when either fails.
    bool InitSharedObjects();
    // Binds the ring to the connection section with reset and takes the time base.
    void AttachRing();
    void CloseSharedSections();
    // Performs the command another process left in the connection section.
    void PerformCommand();

    HANDLE CommandEvent() const { return sections_.CommandEvent(); }
    HANDLE SyncEvent() const { return sections_.SyncEvent(); }
    ServiceContext& Context() { return core_.Context(); }
    const BuildPolicy& Policy() const { return policy_; }
    Win32System& System() { return system_; }
    DeviceManager& Devices() { return *devices_; }

private:
    const BuildPolicy& policy_;
    Win32System system_;
    Win32FileSystem files_;
    SecurityAttributes security_;
    SettingsFiles settings_;
    SharedSectionSet sections_;
    ServiceCore core_;
    // Last: its read threads end before anything they use goes away.
    std::unique_ptr<DeviceManager> devices_;
};
