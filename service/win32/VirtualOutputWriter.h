// Writes the library form's virtual pen reports to its output device without
// waiting on it: each report is copied into one of a few buffers with its own
// OVERLAPPED, which stays in flight while the device takes its time and is
// taken back once the write is over. Only when every buffer is in flight is
// the oldest write cancelled, and waited for at most CANCEL_WAIT_MS: the read
// threads report through here with the report sink's lock held.
//
// A write that its cancel does not end in time may still be written to by the
// system: its buffer is set aside, never reused, until the write is over, and
// a writer that goes away leaves such buffers allocated.
//
// The system cancels a thread's writes still under way when the thread ends:
// a thread that wrote finishes its writes (FinishThreadWrites) before it ends.
#pragma once

#include "CriticalSection.h"
#include "ScopedHandle.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

class VirtualOutputWriter {
public:
    // Writes in flight at most; the next report gives up the oldest.
    static constexpr size_t SLOTS = 4;
    static constexpr size_t REPORT_ROOM = 64;
    // How long a cancelled write may take to end: a cancel the device honours
    // ends well within it, and no report waits longer for a device that doesn't.
    static constexpr DWORD CANCEL_WAIT_MS = 50;

    // Cancels one write whichever thread started it, false when it finds none.
    using CancelOneProc = BOOL(WINAPI*)(HANDLE, LPOVERLAPPED);
    // The system's CancelIoEx; none on systems that only cancel a thread's own writes, all at once.
    static CancelOneProc SystemCancelOne();

    explicit VirtualOutputWriter(CancelOneProc cancelOne = SystemCancelOne());
    ~VirtualOutputWriter();
    VirtualOutputWriter(const VirtualOutputWriter&) = delete;
    VirtualOutputWriter& operator=(const VirtualOutputWriter&) = delete;

    // The device to write to (owned by the caller), or none. Returns once every
    // write to the previous device is over or, cancelled in vain, set aside.
    void Attach(HANDLE device);
    bool Attached() const { return device_.load() != nullptr; }
    // Starts writing one report (at most REPORT_ROOM bytes); never waits on
    // the device unless every buffer is in flight. With every buffer in
    // flight and the oldest write not ending in time, the report is dropped.
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
        bool setAside = false;  // cancelled, yet not over: out of use until it is
        uint64_t order = 0;
        DWORD writer = 0;  // the thread that started the write
    };

    // Takes back the buffers whose writes are over.
    void Reap();
    Slot* TakeSlot(HANDLE device);
    // Cancels the oldest write alone; false when only more writes than that
    // one could be cancelled, or when it does not end in time.
    bool GiveUpOldest(HANDLE device, Slot& oldest);
    // Cancels the slot's write; true when it is over in time.
    bool GiveUp(HANDLE device, Slot& slot);
    // Waits at most timeoutMs for the slot's write to end; one that does not is set aside.
    bool Settle(Slot& slot, DWORD timeoutMs);
    Slot* OwnPendingSlot(DWORD thread);

    const CancelOneProc cancelOne_;
    CriticalSection lock_;  // held for a write and while the device changes
    std::atomic<HANDLE> device_{nullptr};
    // On the heap: one the system may still write to outlives the writer.
    std::unique_ptr<Slot> slots_[SLOTS];
    uint64_t writes_ = 0;
};
