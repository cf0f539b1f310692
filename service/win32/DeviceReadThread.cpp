#include "DeviceReadThread.h"

#include "DeviceManager.h"
#include "ObjectNames.h"

#include <memory>

namespace {

// Positions in the wait list.
constexpr DWORD WAIT_READ = WAIT_OBJECT_0;
constexpr DWORD WAIT_STOP = WAIT_OBJECT_0 + 1;
constexpr DWORD WAIT_MAPPING_RELOAD = WAIT_OBJECT_0 + 2;
constexpr DWORD WAIT_KEY_RELOAD = WAIT_OBJECT_0 + 3;
constexpr DWORD WAIT_QUIT = WAIT_OBJECT_0 + 4;

}  // namespace

DeviceReadThread::DeviceReadThread(DeviceManager& manager, ScopedHandle device, HANDLE stopEvent)
    : manager_(manager), device_(std::move(device)), stopEvent_(stopEvent)
{
}

bool DeviceReadThread::Prepare(const TABLETINFO& header, const MAPPINGDEF& mapping, int32_t keyCount,
                               const KEYACTION* keys, int32_t keyRoom)
{
    return state_.Init(header, mapping, keyCount, keys, keyRoom);
}

DWORD WINAPI DeviceReadThread::ReadThreadProc(LPVOID thread)
{
    std::unique_ptr<DeviceReadThread> owned(static_cast<DeviceReadThread*>(thread));
    return owned->Run();
}

ScopedHandle DeviceReadThread::CreateReloadEvent(bool keyboard) const
{
    char name[objnames::NAME_BUFFER_SIZE];
    const TABLETINFO& header = state_.Header();
    if (!objnames::FormatReloadEventName(name, sizeof name, manager_.Policy().globalNames, keyboard, header.VID,
                                         header.PID))
        return ScopedHandle();
    return ScopedHandle(CreateEventA(manager_.Attributes(), TRUE, FALSE, name));
}

DWORD DeviceReadThread::Run()
{
    ScopedHandle readEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    overlapped_.hEvent = readEvent.Get();
    ScopedHandle mappingReload = CreateReloadEvent(false);
    ScopedHandle keyReload = CreateReloadEvent(true);
    ScopedHandle quit;
    if (manager_.Policy().build == ServiceBuild::Library)
        quit.Reset(CreateEventA(manager_.Attributes(), TRUE, FALSE, objnames::READ_THREAD_QUIT_EVENT));

    const HANDLE waits[] = {readEvent.Get(), stopEvent_, mappingReload.Get(), keyReload.Get(), quit.Get()};
    const DWORD waitCount = quit ? 5 : 4;
    Outcome outcome = Outcome::Removed;
    // Without its own events the thread could neither wait nor stop: it lets the device go.
    if (readEvent && mappingReload && keyReload && waits[1] != nullptr) {
        do {
            outcome = ReadOnce(waits, waitCount);
        } while (outcome == Outcome::Continue);
    }
    // However the thread ends, what its tablet pressed comes up.
    if (outcome == Outcome::Removed)
        manager_.OnDeviceRemoved(state_);
    else
        state_.Removed(manager_.Sink());
    // The system cancels the writes a thread leaves under way when it ends:
    // the lift and the leave just written must still reach the virtual device.
    manager_.FinishThreadOutput();
    return 1;
}

DeviceReadThread::Outcome DeviceReadThread::ReadOnce(const HANDLE* waits, DWORD waitCount)
{
    DWORD bytesRead = 0;
    BOOL done = ReadFile(device_.Get(), state_.ReadBuffer(), state_.ReadLength(), &bytesRead, &overlapped_);
    if (done || GetLastError() != ERROR_IO_PENDING)
        return Completed(done, bytesRead);
    for (;;) {
        switch (WaitForMultipleObjects(waitCount, waits, FALSE, INFINITE)) {
        case WAIT_READ:
            done = GetOverlappedResult(device_.Get(), &overlapped_, &bytesRead, FALSE);
            return Completed(done, bytesRead);
        case WAIT_STOP:
            CancelPendingRead();
            return Outcome::Stopped;
        case WAIT_QUIT:
            CancelPendingRead();
            return Outcome::Quit;
        case WAIT_MAPPING_RELOAD:
            // Reset first: a change signalled during the copy is not lost.
            ResetEvent(waits[2]);
            state_.ReloadMapping(manager_.KeyArea());
            break;
        case WAIT_KEY_RELOAD:
            ResetEvent(waits[3]);
            state_.ReloadKeys(manager_.KeyArea());
            break;
        default:
            CancelPendingRead();
            return Outcome::Removed;
        }
    }
}

DeviceReadThread::Outcome DeviceReadThread::Completed(BOOL succeeded, DWORD bytesRead)
{
    if (succeeded) {
        // A report of the wrong length is dropped; the next read follows.
        state_.Dispatch(bytesRead, manager_.Sink());
        return Outcome::Continue;
    }
    // A report longer than asked for is dropped too; any other failure means
    // the device is gone.
    return GetLastError() == ERROR_MORE_DATA ? Outcome::Continue : Outcome::Removed;
}

void DeviceReadThread::CancelPendingRead()
{
    CancelIo(device_.Get());
    // The read must be over before its buffer and OVERLAPPED go away.
    DWORD ignored = 0;
    GetOverlappedResult(device_.Get(), &overlapped_, &ignored, TRUE);
}
