// A program's link to the device service: its three sections, its command
// word with the event that wakes it, and the read threads' reload events,
// all named in one namespace. The service program names everything with
// "Global\" and leaves its command event unnamed; the library form names
// everything plainly, the command event too.
#pragma once

#include "MappedSection.h"
#include "ScopedHandle.h"
#include "SharedSections.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

class ServiceLink {
public:
    // How a command wakes the command loop. A pulse reaches only a loop that
    // is waiting; a set event stays until the loop wakes and resets it.
    enum class Wake { Pulse, Set };
    enum class CommandResult {
        NoConnection,  // nothing written
        Unheard,       // the command word is written, but no command event was there to wake the loop
        Woken,
    };

    explicit ServiceLink(bool globalNames) : globalNames_(globalNames) {}
    // The openers' rule: "Global\" names up to major version 5, plain names above.
    static ServiceLink ForSystemVersion(uint32_t osMajorVersion);
    static ServiceLink ForThisSystem();

    bool UsesGlobalNames() const { return globalNames_; }

    bool OpenSection(const char* base, size_t size, MappedSection& view,
                     DWORD access = MappedSection::kReadWrite) const;
    // The key area with as many of its first `maxKeys` key slots as its
    // creator made room for (19, 18 or 12 keys, or none), so no copy
    // reaches past its end.
    static constexpr int kMostKeys = KeyAreaCapacity(KEYAREA_SIZE_SERVICE);
    bool OpenKeyArea(MappedSection& view, int maxKeys = kMostKeys, DWORD access = MappedSection::kReadWrite) const;

    // Opens the connection section for this one command, writes the command
    // word and wakes the service.
    CommandResult SendCommand(int32_t command, Wake wake) const;
    // The same through a connection view the caller keeps.
    CommandResult SendCommand(MappedSection& connection, int32_t command, Wake wake) const;
    // The same with a command event the caller keeps too. What the caller
    // wrote into the view before is in place ahead of the command word.
    static CommandResult SendCommand(MappedSection& connection, int32_t command, HANDLE commandEvent, Wake wake);
    // A command's two steps, for a caller that writes its fields between
    // them: the command word alone (false when the view does not hold it),
    // then the wake of the command loop.
    static bool WriteCommand(MappedSection& connection, int32_t command);
    CommandResult WakeCommandLoop(const MappedSection& connection, Wake wake) const;
    // The command event: by its name in the plain namespace, borrowed from
    // the service program in the "Global\" one.
    ScopedHandle OpenCommandEvent(const MappedSection& connection) const;
    static ScopedHandle OpenNamedCommandEvent();
    // Duplicates the unnamed event `handle` of process `processId` (the
    // connection section's +0 and +4) into this process.
    static ScopedHandle BorrowCommandEvent(int32_t processId, uint32_t handle);

    // Whose unnamed command event a connection section names: the process
    // id at +0 and the handle at +4 ({0, 0} when the view lacks them).
    struct CommandEventOwner {
        int32_t processId = 0;
        uint32_t handle = 0;
        bool operator==(const CommandEventOwner& other) const
        {
            return processId == other.processId && handle == other.handle;
        }
    };
    static CommandEventOwner CommandEventOwnerOf(const MappedSection& connection);
    // Borrows the event the connection names now; `borrowedFrom` becomes
    // its owner, {0, 0} when nothing was borrowed. A restarted service
    // writes a new owner into the section a sender still holds.
    static ScopedHandle BorrowCommandEvent(const MappedSection& connection, CommandEventOwner& borrowedFrom);
    // The command event for a sender that keeps it across commands: as
    // OpenCommandEvent, but in the plain namespace too borrowed when no
    // event has the name. `borrowedFrom` as above.
    ScopedHandle OpenCommandEventToKeep(const MappedSection& connection, CommandEventOwner& borrowedFrom) const;
    static bool WakeService(HANDLE commandEvent, Wake wake);

    // Sets the read thread's event that reloads the device's key slots, or
    // its mapping block; false when there is none.
    bool SignalKeyReload(uint16_t vid, uint16_t pid) const { return SignalReload(true, vid, pid); }
    bool SignalMappingReload(uint16_t vid, uint16_t pid) const { return SignalReload(false, vid, pid); }

private:
    // `base` in this link's namespace; false when it does not fit.
    bool NameOf(const char* base, char* out, size_t size) const;
    bool SignalReload(bool keys, uint16_t vid, uint16_t pid) const;

    bool globalNames_;
};
