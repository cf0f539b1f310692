#include "VirtualOutputWriter.h"

#include <cstring>
#include <new>

VirtualOutputWriter::CancelOneProc VirtualOutputWriter::SystemCancelOne()
{
    return reinterpret_cast<CancelOneProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CancelIoEx")));
}

VirtualOutputWriter::VirtualOutputWriter(CancelOneProc cancelOne) : cancelOne_(cancelOne)
{
    for (std::unique_ptr<Slot>& slot : slots_) {
        slot.reset(new (std::nothrow) Slot);
        if (!slot)
            continue;  // a buffer short: the others serve
        slot->event.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        slot->overlapped.hEvent = slot->event.Get();
    }
}

VirtualOutputWriter::~VirtualOutputWriter()
{
    Attach(nullptr);
    // The caller has normally closed the device by now, which ends what is
    // left; a write still not over keeps its buffer and OVERLAPPED for good.
    for (std::unique_ptr<Slot>& slot : slots_)
        if (slot && slot->pending && !Settle(*slot, CANCEL_WAIT_MS))
            slot.release();
}

void VirtualOutputWriter::Attach(HANDLE device)
{
    CriticalSection::Hold hold(lock_);
    const HANDLE previous = device_.load();
    if (previous != nullptr) {
        Reap();
        for (std::unique_ptr<Slot>& slot : slots_)
            if (slot && slot->pending && !slot->setAside)
                GiveUp(previous, *slot);
    }
    device_ = device;
}

void VirtualOutputWriter::Write(const uint8_t* report, size_t length)
{
    CriticalSection::Hold hold(lock_);
    const HANDLE device = device_.load();
    if (device == nullptr || length == 0 || length > REPORT_ROOM)
        return;
    Reap();
    Slot* slot = TakeSlot(device);
    if (slot == nullptr)
        return;
    std::memcpy(slot->buffer, report, length);
    ResetEvent(slot->event.Get());
    slot->overlapped = OVERLAPPED{};
    slot->overlapped.hEvent = slot->event.Get();
    if (WriteFile(device, slot->buffer, static_cast<DWORD>(length), nullptr, &slot->overlapped) ||
        GetLastError() != ERROR_IO_PENDING)
        return;  // over already (done or failed): the buffer is free again
    slot->pending = true;
    slot->order = ++writes_;
    slot->writer = GetCurrentThreadId();
}

void VirtualOutputWriter::FinishThreadWrites(DWORD timeoutMs)
{
    const DWORD self = GetCurrentThreadId();
    const DWORD start = GetTickCount();
    for (;;) {
        HANDLE over = nullptr;
        DWORD left = 0;
        {
            CriticalSection::Hold hold(lock_);
            const HANDLE device = device_.load();
            if (device == nullptr)
                return;
            Reap();
            const DWORD waited = GetTickCount() - start;
            if (waited >= timeoutMs) {
                // Each either ends in time or is set aside, and is then no longer this thread's.
                while (Slot* slot = OwnPendingSlot(self))
                    GiveUp(device, *slot);
                return;
            }
            const Slot* slot = OwnPendingSlot(self);
            if (slot == nullptr)
                return;
            over = slot->event.Get();
            left = timeoutMs - waited;
        }
        // Without the lock: the other threads' reports flow meanwhile. Should
        // the slot be taken back and reused, the next round sees it.
        WaitForSingleObject(over, left);
    }
}

void VirtualOutputWriter::Reap()
{
    for (std::unique_ptr<Slot>& slot : slots_)
        if (slot && slot->pending && HasOverlappedIoCompleted(&slot->overlapped))
            slot->pending = slot->setAside = false;
}

VirtualOutputWriter::Slot* VirtualOutputWriter::TakeSlot(HANDLE device)
{
    Slot* oldest = nullptr;
    for (std::unique_ptr<Slot>& slot : slots_) {
        // A buffer without its event cannot be waited for; one set aside is the system's.
        if (!slot || !slot->event || slot->setAside)
            continue;
        if (!slot->pending)
            return slot.get();
        if (oldest == nullptr || slot->order < oldest->order)
            oldest = slot.get();
    }
    if (oldest == nullptr || !GiveUpOldest(device, *oldest))
        return nullptr;
    return oldest;
}

bool VirtualOutputWriter::GiveUpOldest(HANDLE device, Slot& oldest)
{
    // CancelIo takes every write of the calling thread: only when the oldest
    // is its one write does it cancel nothing newer. Otherwise the new report
    // is the one given up.
    if (cancelOne_ == nullptr) {
        const DWORD self = GetCurrentThreadId();
        if (oldest.writer != self)
            return false;
        for (const std::unique_ptr<Slot>& slot : slots_)
            if (slot && slot.get() != &oldest && slot->pending && !slot->setAside && slot->writer == self)
                return false;
    }
    return GiveUp(device, oldest);
}

bool VirtualOutputWriter::GiveUp(HANDLE device, Slot& slot)
{
    // Finding nothing to cancel, the write has just ended: it is only taken back.
    if (cancelOne_ != nullptr)
        cancelOne_(device, &slot.overlapped);
    else
        CancelIo(device);  // reaches the calling thread's writes only
    return Settle(slot, CANCEL_WAIT_MS);
}

bool VirtualOutputWriter::Settle(Slot& slot, DWORD timeoutMs)
{
    WaitForSingleObject(slot.event.Get(), timeoutMs);
    if (!HasOverlappedIoCompleted(&slot.overlapped)) {
        slot.setAside = true;
        return false;
    }
    slot.pending = slot.setAside = false;
    return true;
}

VirtualOutputWriter::Slot* VirtualOutputWriter::OwnPendingSlot(DWORD thread)
{
    for (std::unique_ptr<Slot>& slot : slots_)
        if (slot && slot->pending && !slot->setAside && slot->writer == thread)
            return slot.get();
    return nullptr;
}
