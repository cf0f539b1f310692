#include "DeviceManager.h"

#include "CDataManage.h"
#include "DebugFormat.h"
#include "DeviceReadThread.h"
#include "PenButtonDefaults.h"

namespace {

constexpr ULONG INPUT_BUFFERS = 512;
// How long an ending read thread waits for the virtual device to take its last reports.
constexpr DWORD OUTPUT_FINISH_WAIT_MS = 3000;

// The library form's own description of its virtual output device.
void FillVirtualDeviceTable(TABLETINFO (&table)[2])
{
    table[0] = TABLETINFO{};
    table[0].VID = 0x3C5E;
    table[0].PID = 0x4E19;
    table[0].OutputReportByteLength = 19;
    table[0].widthWord = 5;
    table[0].heightWord = 4;
    table[1] = TABLETINFO{};
}

}  // namespace

DeviceManager::DeviceManager(ServiceContext& context, const SettingsFiles& settings, SecurityAttributes& security,
                             HidSource source)
    : context_(context),
      policy_(*context.policy),
      settings_(settings),
      security_(security),
      matcher_(policy_, *context.system),
      publisher_(context, policy_, settings),
      source_(std::move(source))
{
    sink_.SetObserver(source_.observer.get());
}

DeviceManager::~DeviceManager() { StopReadThreads(); }

void DeviceManager::SetStopEvent(HANDLE stopEvent)
{
    std::lock_guard<std::mutex> hold(searchLock_);
    stopEvent_ = stopEvent;
}

void DeviceManager::FindDevices()
{
    std::lock_guard<std::mutex> hold(searchLock_);
    if (stopEvent_ == nullptr || !context_.keyArea.valid())
        return;
    if (LibraryForm())
        context_.system->DebugOutput("FindDevices\n");
    std::vector<TABLETINFO> table(SUPPORTED_TABLE_ENTRIES);
    if (settings_.ReadSupportedDeviceTable(table.data()) <= 0)
        return;
    // Creating the lock never changes the state of one that already exists.
    if (policy_.createsRingLock && ringLock_.Create(security_.Get()) && context_.ring != nullptr)
        context_.ring->SetLock(&ringLock_);
    PruneEndedThreads();

    for (int index = 0; index < IHidEnumerator::MAX_INTERFACES; ++index) {
        ScopedHandle device = source_.enumerator->Open(index);
        if (!device)
            continue;
        const HidInterfaceInfo hid = source_.enumerator->Describe(index, device.Get());
        const TabletMatch match = matcher_.MatchTabletDevice(hid, table.data(), SUPPORTED_TABLE_ENTRIES);
        if (LibraryForm())
            DebugFormat(*context_.system, "instance = %d, found = %d\n", index + 1, static_cast<int>(match.kind));
        // Key interfaces and everything else are closed again.
        if (match.kind != InterfaceKind::Pen)
            continue;
        if (!TakePenInterface(std::move(device), table[match.entry], stopEvent_))
            return;
    }
    if (policy_.penButtonDefaultsInSearch)
        ApplyPenButtonDefaults(context_);
}

bool DeviceManager::TakePenInterface(ScopedHandle device, const TABLETINFO& entry, HANDLE stopEvent)
{
    // Every read asks for one whole pen report; one that cannot fit the read
    // buffer (or is empty) could never be read.
    if (!DeviceReadState::IsReadableLength(entry.InputReportByteLength_Pen))
        return true;
    const int32_t keyCount = publisher_.LoadDeviceRecord(entry);
    auto thread = std::make_unique<DeviceReadThread>(*this, std::move(device), stopEvent);
    if (!thread->Prepare(entry, publisher_.Head().mapping, keyCount, publisher_.Keys(), publisher_.KeyRoom()))
        return true;
    publisher_.PublishRecord(keyCount);
    if (policy_.searchSetsRotation)
        context_.flags.rotationCode = publisher_.Head().info.rotationCode;
    source_.enumerator->SetNumInputBuffers(thread->Device(), INPUT_BUFFERS);

    const AttachedDevice attached{entry.VID, entry.PID, entry.InputReportByteLength_Pen,
                                  entry.InputReportByteLength_Key};
    attached_.AddAttachedDevice(attached);
    HANDLE handle = CreateThread(nullptr, 0, DeviceReadThread::ReadThreadProc, thread.get(), CREATE_SUSPENDED, nullptr);
    if (handle == nullptr) {
        // No thread serves it: it is not attached after all (the device closes with `thread`).
        attached_.RemoveAttachedDevice(attached.vid, attached.pid, attached.penReportLength);
        return false;
    }
    thread.release();
    SetThreadPriority(handle, THREAD_PRIORITY_TIME_CRITICAL);
    ResumeThread(handle);
    threads_.emplace_back(handle);
    return true;
}

ScopedHandle DeviceManager::FindVirtualHidDevice()
{
    std::lock_guard<std::mutex> hold(searchLock_);
    TABLETINFO table[2];
    FillVirtualDeviceTable(table);
    for (int index = 0; index < IHidEnumerator::MAX_INTERFACES; ++index) {
        ScopedHandle device = source_.enumerator->Open(index);
        if (!device)
            continue;
        const HidInterfaceInfo hid = source_.enumerator->Describe(index, device.Get());
        const TabletMatch match = matcher_.MatchTabletDevice(hid, table, 2);
        if (match.kind == InterfaceKind::VirtualOutput)
            return device;
    }
    return ScopedHandle();
}

void DeviceManager::OnDeviceRemoved(DeviceReadState& thread)
{
    const TABLETINFO& header = thread.Header();
    {
        std::lock_guard<std::mutex> hold(searchLock_);
        attached_.RemoveAttachedDevice(header.VID, header.PID, header.InputReportByteLength_Pen);
        publisher_.ReloadRemainingDeviceSettings(attached_);
    }
    // Whatever the tablet held pressed is let go.
    thread.Removed(sink_);
}

void DeviceManager::FinishThreadOutput()
{
    if (output_ != nullptr)
        output_->FinishThreadWrites(OUTPUT_FINISH_WAIT_MS);
}

void DeviceManager::PruneEndedThreads()
{
    std::vector<ScopedHandle> running;
    for (ScopedHandle& thread : threads_) {
        if (WaitForSingleObject(thread.Get(), 0) == WAIT_TIMEOUT)
            running.push_back(std::move(thread));
    }
    threads_.swap(running);
}

bool DeviceManager::StopReadThreads(DWORD timeoutMs)
{
    std::vector<ScopedHandle> threads;
    HANDLE stopEvent = nullptr;
    {
        std::lock_guard<std::mutex> hold(searchLock_);
        threads.swap(threads_);
        stopEvent = stopEvent_;
        stopEvent_ = nullptr;
    }
    if (stopEvent != nullptr)
        SetEvent(stopEvent);
    const DWORD start = GetTickCount();
    std::vector<ScopedHandle> running;
    for (ScopedHandle& thread : threads) {
        const DWORD waited = GetTickCount() - start;
        if (WaitForSingleObject(thread.Get(), waited < timeoutMs ? timeoutMs - waited : 0) != WAIT_OBJECT_0)
            running.push_back(std::move(thread));
    }
    if (running.empty())
        return true;
    // Kept, so that a later call can wait for them again.
    std::lock_guard<std::mutex> hold(searchLock_);
    for (ScopedHandle& thread : running)
        threads_.push_back(std::move(thread));
    return false;
}
