// Finds the supported tablets among the present HID interfaces, publishes
// their settings in the key area and gives each pen interface its own
// time-critical read thread; takes a tablet out again when its thread finds
// it gone. Searches and removals are serialised with each other; the read
// threads' reports are serialised on their way into the report sink.
#pragma once

#include "AttachedDeviceTable.h"
#include "DeviceReadState.h"
#include "HidSource.h"
#include "KeyAreaPublisher.h"
#include "NamedRingLock.h"
#include "ScopedHandle.h"
#include "SecurityAttributes.h"
#include "SerializedReportSink.h"
#include "ServiceContext.h"
#include "SettingsFiles.h"
#include "TabletMatcher.h"
#include "VirtualOutputWriter.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

class DeviceManager {
public:
    // context: its policy and system door are set already; source: where the
    // search finds tablets (it needs an enumerator).
    DeviceManager(ServiceContext& context, const SettingsFiles& settings, SecurityAttributes& security,
                  HidSource source);
    ~DeviceManager();
    DeviceManager(const DeviceManager&) = delete;
    DeviceManager& operator=(const DeviceManager&) = delete;

    // The event that ends every read thread; until it is given no search runs.
    void SetStopEvent(HANDLE stopEvent);
    // Where reports go (the report pipeline); without one they are dropped.
    void SetReportSink(IReportSink* sink) { sink_.SetTarget(sink); }
    // The library form's virtual output, whose writes a read thread finishes before it ends.
    void SetVirtualOutput(VirtualOutputWriter* output) { output_ = output; }

    // The device search: at start and on every device arrival.
    void FindDevices();
    // Library form: the first interface that is the virtual output device.
    ScopedHandle FindVirtualHidDevice();
    // Sets the stop event and waits for the read threads; no search runs
    // afterwards. False when a thread was still running at the time-out;
    // such threads are kept for the next call to wait for.
    bool StopReadThreads(DWORD timeoutMs = 5000);

    // For the read threads.
    void OnDeviceRemoved(DeviceReadState& thread);
    // Waits a while for the virtual output writes the calling thread started.
    void FinishThreadOutput();
    IReportSink& Sink() { return sink_; }
    const KeyAreaView& KeyArea() const { return context_.keyArea; }
    const BuildPolicy& Policy() const { return policy_; }
    SECURITY_ATTRIBUTES* Attributes() { return security_.Get(); }

private:
    // Loads, publishes and attaches one pen interface and starts its thread;
    // false when the thread cannot be started (the search then ends).
    bool TakePenInterface(ScopedHandle device, const TABLETINFO& entry, HANDLE stopEvent);
    void PruneEndedThreads();
    bool LibraryForm() const { return policy_.build == ServiceBuild::Library; }

    ServiceContext& context_;
    const BuildPolicy& policy_;
    const SettingsFiles& settings_;
    SecurityAttributes& security_;
    SerializedReportSink sink_;
    TabletMatcher matcher_;
    KeyAreaPublisher publisher_;
    HidSource source_;
    AttachedDeviceTable attached_;
    NamedRingLock ringLock_;
    VirtualOutputWriter* output_ = nullptr;

    std::mutex searchLock_;  // guards everything below and the key-area writes
    HANDLE stopEvent_ = nullptr;
    std::vector<ScopedHandle> threads_;
};
