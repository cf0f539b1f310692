// Writes the library form's virtual pen reports to its output device without
// waiting on it: each report is copied into one of a few buffers with its own
// OVERLAPPED, which stays in flight while the device takes its time and is
// taken back once the write is over. Only when every buffer is in flight is
// the oldest write cancelled and waited for. A new device (or none) is taken
// only after every write to the previous one is over, so no write ever runs
// from a buffer that has been given up.
//
// The system cancels a thread's writes still under way when the thread ends:
// a thread that wrote finishes its writes (FinishThreadWrites) before it ends.
#pragma once

#include "ScopedHandle.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

class VirtualOutputWriter {
public:
    // Writes in flight at most; the next report gives up the oldest.
    static constexpr size_t SLOTS = 4;
    static constexpr size_t REPORT_ROOM = 64;

    // Cancels one write whichever thread started it, false when it finds none.
    using CancelOneProc = BOOL(WINAPI*)(HANDLE, LPOVERLAPPED);
    // The system's CancelIoEx; none on systems that only cancel a thread's own writes, all at once.
    static CancelOneProc SystemCancelOne();

    explicit VirtualOutputWriter(CancelOneProc cancelOne = SystemCancelOne());
    ~VirtualOutputWriter() { Attach(nullptr); }
    VirtualOutputWriter(const VirtualOutputWriter&) = delete;
    VirtualOutputWriter& operator=(const VirtualOutputWriter&) = delete;

    // The device to write to (owned by the caller), or none. Returns once no
    // write to the previous device is under way: cancelled ones included.
    void Attach(HANDLE device);
    bool Attached() const { return device_.load() != nullptr; }
    // Starts writing one report (at most REPORT_ROOM bytes); never waits on
    // the device unless every buffer is in flight.
    void Write(const uint8_t* report, size_t length);
    // Waits until the device has taken the writes the calling thread started,
    // at most timeoutMs; those it has not taken by then are cancelled.
    void FinishThreadWrites(DWORD timeoutMs);

private:
    struct Slot {
        OVERLAPPED overlapped{};
        ScopedHandle event;
        uint8_t buffer[REPORT_ROOM] = {};
        bool pending = false;
        uint64_t order = 0;
        DWORD writer = 0;  // the thread that started the write
    };

    // Takes back the buffers whose writes are over.
    void Reap(HANDLE device);
    Slot* TakeSlot(HANDLE device);
    // Cancels the oldest write alone and waits until it is over; false when
    // only more writes than that one could be cancelled.
    bool GiveUpOldest(HANDLE device, Slot& oldest);
    // Cancels the slot's write and waits until it is over.
    void GiveUp(HANDLE device, Slot& slot);
    Slot* OwnPendingSlot(DWORD thread);
    void Finish(HANDLE device, Slot& slot, BOOL wait);

    const CancelOneProc cancelOne_;
    std::mutex lock_;  // held for a write and while the device changes
    std::atomic<HANDLE> device_{nullptr};
    Slot slots_[SLOTS];
    uint64_t writes_ = 0;
};
