#include "FakeService.h"

#include "ChildProcess.h"
#include "ObjectNames.h"

#include <cstring>
#include <string>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const
    {
        if (handle != nullptr)
            CloseHandle(handle);
    }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

struct ViewUnmapper {
    void operator()(void* view) const
    {
        if (view != nullptr)
            UnmapViewOfFile(view);
    }
};
using OwnedView = std::unique_ptr<void, ViewUnmapper>;

struct Section {
    OwnedHandle mapping;
    OwnedView view;

    bool Create(const std::string& name, size_t size)
    {
        mapping.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size),
                                         name.c_str()));
        if (!mapping)
            return false;
        view.reset(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
        if (!view)
            return false;
        std::memset(view.get(), 0, size);
        *static_cast<int32_t*>(view.get()) = static_cast<int32_t>(GetCurrentProcessId());
        return true;
    }
};

}  // namespace

struct FakeService::Objects {
    Section keyArea;
    Section connection;
    Section pen;
    OwnedHandle commandEvent;
    OwnedHandle ringLock;
    // Set by the command thread as it starts waiting (again) after Start or Settle.
    OwnedHandle waitingEvent;
    OwnedHandle thread;
};

FakeService::FakeService(Form form, bool withConnection)
    : form_(form), withConnection_(withConnection), objects_(new Objects)
{
}

FakeService::~FakeService() { Stop(); }

bool FakeService::Start()
{
    bool global = form_ == Form::ServiceProgram;
    auto name = [global](const char* base) { return std::string(global ? objnames::GLOBAL_PREFIX : "") + base; };
    Objects& o = *objects_;
    if (!o.keyArea.Create(name(objnames::KEY_AREA_SECTION), KEYAREA_SIZE_SERVICE) ||
        (withConnection_ && !o.connection.Create(name(objnames::CONNECTION_SECTION), sizeof(ConnectionSection))) ||
        !o.pen.Create(name(objnames::PEN_SECTION), sizeof(PenSection)))
        return false;
    o.commandEvent.reset(CreateEventA(nullptr, TRUE, FALSE, global ? nullptr : objnames::COMMAND_EVENT));
    o.ringLock.reset(CreateEventA(nullptr, FALSE, TRUE, objnames::RING_LOCK));
    o.waitingEvent.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!o.commandEvent || !o.ringLock || !o.waitingEvent)
        return false;
    if (withConnection_)
        Connection().commandEvent = HandleToULong(o.commandEvent.get());

    o.thread.reset(CreateThread(nullptr, 0, &FakeService::CommandThread, this, 0, nullptr));
    // A pulse reaches only a thread that is already waiting: this one is.
    return o.thread && WaitForSingleObject(o.waitingEvent.get(), 5000) == WAIT_OBJECT_0;
}

void FakeService::Stop()
{
    Objects& o = *objects_;
    if (o.thread) {
        request_ = Request::Stop;
        SetEvent(o.commandEvent.get());
        WaitForSingleObject(o.thread.get(), 5000);
        o.thread.reset();
    }
}

bool FakeService::Settle(DWORD timeoutMs)
{
    Objects& o = *objects_;
    if (!o.thread)
        return false;
    // Set, not pulsed: a thread still recording a command finds it on its next wait.
    request_ = Request::Settle;
    SetEvent(o.commandEvent.get());
    return WaitForSingleObject(o.waitingEvent.get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD WINAPI FakeService::CommandThread(void* self)
{
    static_cast<FakeService*>(self)->CommandLoop();
    return 0;
}

void FakeService::CommandLoop()
{
    const HANDLE command = objects_->commandEvent.get();
    // The waiting event is set in one step with the wait that follows: once
    // the test sees it, the thread waits for the clients' pulses.
    HANDLE announce = objects_->waitingEvent.get();
    for (;;) {
        const DWORD woken = announce != nullptr ? SignalObjectAndWait(announce, command, INFINITE, FALSE)
                                                : WaitForSingleObject(command, INFINITE);
        announce = nullptr;
        if (woken != WAIT_OBJECT_0)
            return;
        const Request request = request_.exchange(Request::None);
        if (request == Request::Stop)
            return;
        if (request == Request::Settle) {
            ResetEvent(command);
            announce = objects_->waitingEvent.get();
            continue;
        }
        Record();
    }
}

void FakeService::Record()
{
    RecordedCommand command{};
    if (withConnection_) {
        const volatile ConnectionSection& section = Connection();
        command = {section.command, section.contextId, section.contextWindow, section.contextOptions,
                   section.contextStatus};
    }
    const volatile KeyAreaSectionHead& keyArea = KeyArea();
    command.rotationCode = keyArea.record.info.rotationCode;
    command.screenArea = {keyArea.record.mapping.screenArea.left, keyArea.record.mapping.screenArea.top,
                          keyArea.record.mapping.screenArea.right, keyArea.record.mapping.screenArea.bottom};
    CriticalSection::Hold hold(commandsMutex_);
    commands_.push_back(command);
}

std::vector<RecordedCommand> FakeService::Commands() const
{
    CriticalSection::Hold hold(commandsMutex_);
    return commands_;
}

bool FakeService::WaitForCommands(size_t count, DWORD timeoutMs) const
{
    return WaitUntil([&] { return Commands().size() >= count; }, timeoutMs);
}

void FakeService::PutPacket(const RINGPACKET& packet)
{
    if (!HoldRingLock(INFINITE))
        return;
    ConnectionSection& section = Connection();
    section.ring[section.writeIndex % RING_CAPACITY] = packet;
    section.writeIndex = (section.writeIndex + 1) % RING_CAPACITY;
    if (section.writeIndex == section.readIndex)
        section.readIndex = (section.readIndex + 1) % RING_CAPACITY;
    ReleaseRingLock();
}

bool FakeService::HoldRingLock(DWORD timeoutMs)
{
    return WaitForSingleObject(objects_->ringLock.get(), timeoutMs) == WAIT_OBJECT_0;
}

void FakeService::ReleaseRingLock() { SetEvent(objects_->ringLock.get()); }

ConnectionSection& FakeService::Connection() const
{
    return *static_cast<ConnectionSection*>(objects_->connection.view.get());
}

TABLETINFO& FakeService::Tablet() const
{
    return *reinterpret_cast<TABLETINFO*>(static_cast<uint8_t*>(objects_->keyArea.view.get()) +
                                          KEYAREA_RECORD_OFFSET);
}

KeyAreaSectionHead& FakeService::KeyArea() const
{
    return *static_cast<KeyAreaSectionHead*>(objects_->keyArea.view.get());
}
