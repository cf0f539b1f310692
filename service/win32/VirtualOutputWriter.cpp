#include "VirtualOutputWriter.h"

#include <cstring>

VirtualOutputWriter::CancelOneProc VirtualOutputWriter::SystemCancelOne()
{
    return reinterpret_cast<CancelOneProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CancelIoEx")));
}

VirtualOutputWriter::VirtualOutputWriter(CancelOneProc cancelOne) : cancelOne_(cancelOne)
{
    for (Slot& slot : slots_) {
        slot.event.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        slot.overlapped.hEvent = slot.event.Get();
    }
}

void VirtualOutputWriter::Attach(HANDLE device)
{
    std::lock_guard<std::mutex> hold(lock_);
    const HANDLE previous = device_.load();
    if (previous != nullptr) {
        Reap(previous);
        for (Slot& slot : slots_)
            if (slot.pending)
                GiveUp(previous, slot);
    }
    device_ = device;
}

void VirtualOutputWriter::Write(const uint8_t* report, size_t length)
{
    std::lock_guard<std::mutex> hold(lock_);
    const HANDLE device = device_.load();
    if (device == nullptr || length == 0 || length > REPORT_ROOM)
        return;
    Reap(device);
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
            std::lock_guard<std::mutex> hold(lock_);
            const HANDLE device = device_.load();
            if (device == nullptr)
                return;
            Reap(device);
            const DWORD waited = GetTickCount() - start;
            if (waited >= timeoutMs) {
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

void VirtualOutputWriter::Reap(HANDLE device)
{
    for (Slot& slot : slots_)
        if (slot.pending && HasOverlappedIoCompleted(&slot.overlapped))
            Finish(device, slot, FALSE);
}

VirtualOutputWriter::Slot* VirtualOutputWriter::TakeSlot(HANDLE device)
{
    Slot* oldest = nullptr;
    for (Slot& slot : slots_) {
        if (!slot.event)
            continue;  // a buffer without its event cannot be waited for
        if (!slot.pending)
            return &slot;
        if (oldest == nullptr || slot.order < oldest->order)
            oldest = &slot;
    }
    if (oldest == nullptr || !GiveUpOldest(device, *oldest))
        return nullptr;
    return oldest;
}

bool VirtualOutputWriter::GiveUpOldest(HANDLE device, Slot& oldest)
{
    if (cancelOne_ != nullptr) {
        // Finding nothing to cancel, it has just been written: it is only taken back.
        cancelOne_(device, &oldest.overlapped);
        Finish(device, oldest, TRUE);
        return true;
    }
    // CancelIo takes every write of the calling thread: only when the oldest
    // is its one write does it cancel nothing newer. Otherwise the new report
    // is the one given up.
    const DWORD self = GetCurrentThreadId();
    if (oldest.writer != self)
        return false;
    for (const Slot& slot : slots_)
        if (&slot != &oldest && slot.pending && slot.writer == self)
            return false;
    CancelIo(device);
    Finish(device, oldest, TRUE);
    return true;
}

void VirtualOutputWriter::GiveUp(HANDLE device, Slot& slot)
{
    if (cancelOne_ != nullptr)
        cancelOne_(device, &slot.overlapped);
    else
        CancelIo(device);  // reaches the calling thread's writes only
    Finish(device, slot, TRUE);
}

VirtualOutputWriter::Slot* VirtualOutputWriter::OwnPendingSlot(DWORD thread)
{
    for (Slot& slot : slots_)
        if (slot.pending && slot.writer == thread)
            return &slot;
    return nullptr;
}

void VirtualOutputWriter::Finish(HANDLE device, Slot& slot, BOOL wait)
{
    DWORD written = 0;
    GetOverlappedResult(device, &slot.overlapped, &written, wait);
    slot.pending = false;
}
