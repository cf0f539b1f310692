#include "KeyServiceLink.h"

#include "ObjectNames.h"
#include "ServiceCodes.h"

#include <cstddef>

namespace {

constexpr DWORD kSectionAccess = FILE_MAP_READ | FILE_MAP_WRITE;

// Section names are joined into buffers of this size.
constexpr size_t kNameSize = 128;

bool SectionName(const char* base, bool global, char* out)
{
    return objnames::JoinName(out, kNameSize, global ? objnames::GLOBAL_PREFIX : "", base, "");
}

}  // namespace

bool KeyServiceLink::UsesGlobalNames() const
{
    return objnames::OpenerUsesGlobalNames(m_osMajorVersion);
}

bool KeyServiceLink::OpenKeyArea()
{
    char name[kNameSize];
    if (!SectionName(objnames::KEY_AREA_SECTION, UsesGlobalNames(), name))
        return false;
    // A view larger than the section fails: the first size that maps is the section's own.
    for (size_t size : {KEYAREA_SIZE_SERVICE, KEYAREA_SIZE_LIBRARY, KEYAREA_SIZE_SECOND_BRAND}) {
        HANDLE mapping = OpenFileMappingA(kSectionAccess, FALSE, name);
        if (mapping == nullptr)
            return false;
        if (m_keyArea.Map(mapping, size))
            return true;
    }
    return false;
}

bool KeyServiceLink::SendCommand(int32_t command) const
{
    char name[kNameSize];
    if (!SectionName(objnames::CONNECTION_SECTION, UsesGlobalNames(), name))
        return false;
    MappedSection connection;
    HANDLE mapping = OpenFileMappingA(kSectionAccess, FALSE, name);
    if (mapping == nullptr || !connection.Map(mapping, sizeof(ConnectionSection)))
        return false;
    reinterpret_cast<ConnectionSection*>(connection.Bytes())->command = command;
    char eventName[kNameSize];
    if (SectionName(objnames::COMMAND_EVENT, UsesGlobalNames(), eventName)) {
        ScopedHandle commandEvent(OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName));
        if (commandEvent)
            PulseEvent(commandEvent.Get());
    }
    return true;
}

bool KeyServiceLink::SignalKeyReload(uint16_t vid, uint16_t pid) const
{
    char name[kNameSize];
    if (!objnames::FormatReloadEventName(name, sizeof name, UsesGlobalNames(), true, vid, pid))
        return false;
    ScopedHandle reload(OpenEventA(EVENT_MODIFY_STATE, FALSE, name));
    return reload && SetEvent(reload.Get()) != FALSE;
}
