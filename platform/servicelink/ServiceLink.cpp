#include "ServiceLink.h"

#include "ObjectNames.h"
#include "ServiceCodes.h"
#include "SharedSections.h"

#include <algorithm>
#include <cstddef>

namespace {

uint32_t ThisSystemMajorVersion()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    // Unknown counts as a current system.
    return GetVersionExA(&version) ? version.dwMajorVersion : 6;
#pragma GCC diagnostic pop
}

ScopedHandle OpenEventToSignal(const char* name)
{
    return ScopedHandle(OpenEventA(EVENT_MODIFY_STATE, FALSE, name));
}

}  // namespace

ServiceLink ServiceLink::ForSystemVersion(uint32_t osMajorVersion)
{
    return ServiceLink(objnames::OpenerUsesGlobalNames(osMajorVersion));
}

ServiceLink ServiceLink::ForThisSystem() { return ForSystemVersion(ThisSystemMajorVersion()); }

bool ServiceLink::NameOf(const char* base, char* out, size_t size) const
{
    return objnames::FormatObjectName(out, size, globalNames_, base);
}

bool ServiceLink::OpenSection(const char* base, size_t size, MappedSection& view, DWORD access) const
{
    char name[objnames::NAME_BUFFER_SIZE];
    return NameOf(base, name, sizeof name) && view.Open(name, size, access);
}

bool ServiceLink::OpenKeyArea(MappedSection& view, int maxKeys, DWORD access) const
{
    char name[objnames::NAME_BUFFER_SIZE];
    if (!NameOf(objnames::KEY_AREA_SECTION, name, sizeof name))
        return false;
    // Only the sizes the service builds make are tried, largest first, then
    // the head alone: a section is mapped in whole pages, so a view a few
    // keys larger than the section may still map.
    const size_t most = KEYAREA_KEYS_OFFSET + KEYACTION_SIZE * static_cast<size_t>(std::max(maxKeys, 0));
    for (size_t size : {KEYAREA_SIZE_SERVICE, KEYAREA_SIZE_LIBRARY, KEYAREA_SIZE_SECOND_BRAND, KEYAREA_KEYS_OFFSET}) {
        if (view.Open(name, std::min(size, most), access))
            return true;
        // Missing altogether: no smaller view will help.
        ScopedHandle probe(OpenFileMappingA(FILE_MAP_READ, FALSE, name));
        if (!probe)
            return false;
    }
    return false;
}

ServiceLink::CommandResult ServiceLink::SendCommand(int32_t command, Wake wake) const
{
    MappedSection connection;
    if (!OpenSection(objnames::CONNECTION_SECTION, sizeof(ConnectionSection), connection))
        return CommandResult::NoConnection;
    return SendCommand(connection, command, wake);
}

ServiceLink::CommandResult ServiceLink::SendCommand(MappedSection& connection, int32_t command, Wake wake) const
{
    if (!WriteCommand(connection, command))
        return CommandResult::NoConnection;
    return WakeCommandLoop(connection, wake);
}

ServiceLink::CommandResult ServiceLink::WakeCommandLoop(const MappedSection& connection, Wake wake) const
{
    // Everything written before the wake: the loop reads it when it wakes.
    MemoryBarrier();
    const ScopedHandle commandEvent = OpenCommandEvent(connection);
    return commandEvent && WakeService(commandEvent.Get(), wake) ? CommandResult::Woken : CommandResult::Unheard;
}

ServiceLink::CommandResult ServiceLink::SendCommand(MappedSection& connection, int32_t command, HANDLE commandEvent,
                                                    Wake wake)
{
    // The command's fields before its word, the word before the wake: the
    // loop reads them all when it wakes.
    MemoryBarrier();
    if (!WriteCommand(connection, command))
        return CommandResult::NoConnection;
    MemoryBarrier();
    return WakeService(commandEvent, wake) ? CommandResult::Woken : CommandResult::Unheard;
}

bool ServiceLink::WriteCommand(MappedSection& connection, int32_t command)
{
    constexpr size_t commandOffset = offsetof(ConnectionSection, command);
    if (!connection.Holds(commandOffset, sizeof command))
        return false;
    connection.WriteInt32(commandOffset, command);
    return true;
}

ScopedHandle ServiceLink::OpenCommandEvent(const MappedSection& connection) const
{
    if (!globalNames_)
        return OpenNamedCommandEvent();
    CommandEventOwner borrowedFrom;
    return BorrowCommandEvent(connection, borrowedFrom);
}

ScopedHandle ServiceLink::OpenCommandEventToKeep(const MappedSection& connection, CommandEventOwner& borrowedFrom) const
{
    borrowedFrom = CommandEventOwner{};
    if (!globalNames_) {
        ScopedHandle named = OpenNamedCommandEvent();
        if (named)
            return named;
    }
    return BorrowCommandEvent(connection, borrowedFrom);
}

ServiceLink::CommandEventOwner ServiceLink::CommandEventOwnerOf(const MappedSection& connection)
{
    // The service program's event has no name: its handle at +4 is valid in
    // the process whose id is at +0.
    static_assert(offsetof(ConnectionSection, processId) == 0 && offsetof(ConnectionSection, commandEvent) == 4,
                  "owner of the command event");
    if (!connection.Holds(0, 8))
        return CommandEventOwner{};
    return CommandEventOwner{connection.ReadInt32(0), static_cast<uint32_t>(connection.ReadInt32(4))};
}

ScopedHandle ServiceLink::BorrowCommandEvent(const MappedSection& connection, CommandEventOwner& borrowedFrom)
{
    const CommandEventOwner owner = CommandEventOwnerOf(connection);
    ScopedHandle borrowed = BorrowCommandEvent(owner.processId, owner.handle);
    borrowedFrom = borrowed ? owner : CommandEventOwner{};
    return borrowed;
}

ScopedHandle ServiceLink::OpenNamedCommandEvent() { return OpenEventToSignal(objnames::COMMAND_EVENT); }

ScopedHandle ServiceLink::BorrowCommandEvent(int32_t processId, uint32_t handle)
{
    if (processId == 0 || handle == 0)
        return ScopedHandle();
    const ScopedHandle owner(OpenProcess(PROCESS_DUP_HANDLE, FALSE, static_cast<DWORD>(processId)));
    if (!owner)
        return ScopedHandle();
    HANDLE borrowed = nullptr;
    if (!DuplicateHandle(owner.Get(), ULongToHandle(handle), GetCurrentProcess(), &borrowed,
                         GENERIC_READ | GENERIC_WRITE, FALSE, DUPLICATE_SAME_ACCESS))
        return ScopedHandle();
    return ScopedHandle(borrowed);
}

bool ServiceLink::WakeService(HANDLE commandEvent, Wake wake)
{
    return (wake == Wake::Pulse ? PulseEvent(commandEvent) : SetEvent(commandEvent)) != FALSE;
}

bool ServiceLink::SignalReload(bool keys, uint16_t vid, uint16_t pid) const
{
    char name[objnames::NAME_BUFFER_SIZE];
    if (!objnames::FormatReloadEventName(name, sizeof name, globalNames_, keys, vid, pid))
        return false;
    const ScopedHandle reload = OpenEventToSignal(name);
    return reload && SetEvent(reload.Get()) != FALSE;
}
