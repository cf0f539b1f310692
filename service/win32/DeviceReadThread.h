// One tablet's read thread: overlapped reads of one pen report at a time,
// handed to the report sink; reloads of the mapping block and key table when
// the panel signals them; ends on the stop event, or on a failed read, which
// means the tablet went away.
#pragma once

#include "DeviceReadState.h"
#include "ScopedHandle.h"

#include <windows.h>

class DeviceManager;

class DeviceReadThread {
public:
    // stopEvent ends the thread; it stays valid until the thread has ended.
    DeviceReadThread(DeviceManager& manager, ScopedHandle device, HANDLE stopEvent);
    DeviceReadThread(const DeviceReadThread&) = delete;
    DeviceReadThread& operator=(const DeviceReadThread&) = delete;

    // Takes the thread's copies of the device's description, mapping and keys.
    // False when the key copy cannot be allocated.
    bool Prepare(const TABLETINFO& header, const MAPPINGDEF& mapping, int32_t keyCount, const KEYACTION* keys,
                 int32_t keyRoom);
    HANDLE Device() const { return device_.Get(); }

    // Thread entry; owns and deletes the DeviceReadThread it is given.
    static DWORD WINAPI ReadThreadProc(LPVOID thread);

private:
    enum class Outcome { Continue, Stopped, Quit, Removed };

    DWORD Run();
    Outcome ReadOnce(const HANDLE* waits, DWORD waitCount);
    Outcome Completed(BOOL succeeded, DWORD bytesRead);
    void CancelPendingRead();
    ScopedHandle CreateReloadEvent(bool keyboard) const;

    DeviceManager& manager_;
    ScopedHandle device_;
    HANDLE stopEvent_;
    DeviceReadState state_;
    OVERLAPPED overlapped_{};
};
