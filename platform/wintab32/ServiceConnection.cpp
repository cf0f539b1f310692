#include "ServiceConnection.h"

#include "ObjectNames.h"

#include <cstring>

namespace {

// The command loop reads the fields after it wakes; a second command written
// sooner would replace them, and a pulse while it is busy would be lost.
constexpr DWORD COMMAND_GAP_MS = 50;

// Above version 5 the openers meet the library form's unprefixed objects
// first; the service program's "Global\" objects are the fallback. Older
// systems the other way round.
struct NamespaceOrder {
    bool global[2];
};

NamespaceOrder CurrentNamespaceOrder()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    DWORD major = GetVersionExA(&version) ? version.dwMajorVersion : 6;
    bool globalFirst = objnames::OpenerUsesGlobalNames(major);
    return NamespaceOrder{{globalFirst, !globalFirst}};
}

}  // namespace

bool ServiceConnection::Open()
{
    if (IsOpen())
        return true;
    NamespaceOrder order = CurrentNamespaceOrder();
    for (bool global : order.global) {
        if (OpenIn(global))
            return true;
    }
    Close();
    return false;
}

void ServiceConnection::Close()
{
    commandEvent_.Reset();
    section_.Close();
    duplicated_ = false;
    ownerProcessId_ = 0;
    ownerHandle_ = 0;
}

bool ServiceConnection::OpenIn(bool global)
{
    Close();
    char name[objnames::NAME_BUFFER_SIZE];
    if (!objnames::FormatObjectName(name, sizeof name, global, objnames::CONNECTION_SECTION) ||
        !section_.Open(name, sizeof(ConnectionSection), FILE_MAP_READ | FILE_MAP_WRITE))
        return false;
    // The library form names its command event; the service program leaves
    // an unnamed one for us to duplicate.
    if ((!global && OpenNamedCommandEvent()) || DuplicateCommandEvent())
        return true;
    Close();
    return false;
}

bool ServiceConnection::OpenNamedCommandEvent()
{
    commandEvent_.Reset(OpenEventA(EVENT_MODIFY_STATE, FALSE, objnames::COMMAND_EVENT));
    duplicated_ = false;
    return static_cast<bool>(commandEvent_);
}

bool ServiceConnection::DuplicateCommandEvent()
{
    commandEvent_.Reset();
    duplicated_ = false;
    const volatile ConnectionSection* section = Section();
    int32_t processId = section->processId;
    uint32_t handle = section->commandEvent;
    if (processId == 0 || handle == 0)
        return false;
    ScopedHandle owner(OpenProcess(PROCESS_DUP_HANDLE, FALSE, static_cast<DWORD>(processId)));
    if (!owner)
        return false;
    HANDLE duplicate = nullptr;
    if (!DuplicateHandle(owner.Get(), ULongToHandle(handle), GetCurrentProcess(), &duplicate, EVENT_MODIFY_STATE,
                         FALSE, 0))
        return false;
    commandEvent_.Reset(duplicate);
    duplicated_ = true;
    ownerProcessId_ = processId;
    ownerHandle_ = handle;
    return true;
}

bool ServiceConnection::CommandEventIsCurrent() const
{
    // A restarted service re-initialises the section we still hold with its
    // own process id and handle.
    const volatile ConnectionSection* section = Section();
    return !duplicated_ || (section->processId == ownerProcessId_ && section->commandEvent == ownerHandle_);
}

void ServiceConnection::WaitForPreviousCommand() const
{
    if (!pulsed_)
        return;
    DWORD elapsed = GetTickCount() - lastPulseTick_;
    if (elapsed < COMMAND_GAP_MS)
        Sleep(COMMAND_GAP_MS - elapsed);
}

bool ServiceConnection::Send(ServiceCommand command, const ContextFields& fields)
{
    if (!IsOpen())
        return false;
    if (!CommandEventIsCurrent() && !DuplicateCommandEvent())
        return false;
    WaitForPreviousCommand();
    volatile ConnectionSection* section = Section();
    section->contextId = fields.id;
    section->contextWindow = fields.window;
    section->contextOptions = fields.options;
    section->contextStatus = fields.status;
    MemoryBarrier();
    section->command = command;
    MemoryBarrier();
    bool pulsed = PulseEvent(commandEvent_.Get()) != FALSE;
    pulsed_ = true;
    lastPulseTick_ = GetTickCount();
    return pulsed;
}

bool ServiceConnection::ReadTabletInfo(TABLETINFO& info)
{
    NamespaceOrder order = CurrentNamespaceOrder();
    for (bool global : order.global) {
        char name[objnames::NAME_BUFFER_SIZE];
        SharedView keyArea;
        if (objnames::FormatObjectName(name, sizeof name, global, objnames::KEY_AREA_SECTION) &&
            keyArea.Open(name, KEYAREA_RECORD_OFFSET + sizeof(TABLETINFO), FILE_MAP_READ)) {
            std::memcpy(&info, keyArea.As<uint8_t>() + KEYAREA_RECORD_OFFSET, sizeof info);
            return true;
        }
    }
    return false;
}
