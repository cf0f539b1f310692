#include "VirtualOutputWriter.h"

#include <cstring>

namespace {

using CancelIoExProc = BOOL(WINAPI*)(HANDLE, LPOVERLAPPED);

// CancelIoEx cancels one write whichever thread started it; systems without
// it have only CancelIo, for the calling thread's own writes.
void CancelWrite(HANDLE device, OVERLAPPED& overlapped)
{
    static const CancelIoExProc cancelIoEx = reinterpret_cast<CancelIoExProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CancelIoEx")));
    if (cancelIoEx == nullptr || !cancelIoEx(device, &overlapped))
        CancelIo(device);
}

}  // namespace

VirtualOutputWriter::VirtualOutputWriter()
{
    for (Slot& slot : slots_) {
        slot.event.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        slot.overlapped.hEvent = slot.event.Get();
    }
}

void VirtualOutputWriter::Attach(HANDLE device)
{
    CriticalSection::Hold hold(lock_);
    const HANDLE previous = device_.load();
    if (previous != nullptr) {
        for (Slot& slot : slots_)
            if (slot.pending)
                GiveUp(previous, slot);
    }
    device_ = device;
}

void VirtualOutputWriter::Write(const uint8_t* report, size_t length)
{
    CriticalSection::Hold hold(lock_);
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
    if (oldest != nullptr)
        GiveUp(device, *oldest);
    return oldest;
}

void VirtualOutputWriter::GiveUp(HANDLE device, Slot& slot)
{
    CancelWrite(device, slot.overlapped);
    Finish(device, slot, TRUE);
}

void VirtualOutputWriter::Finish(HANDLE device, Slot& slot, BOOL wait)
{
    DWORD written = 0;
    GetOverlappedResult(device, &slot.overlapped, &written, wait);
    slot.pending = false;
}
