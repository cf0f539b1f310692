#include "SharedSectionSet.h"

#include "ObjectNames.h"
#include "SectionDefaults.h"
#include "ServiceCodes.h"

#include <cstring>

SharedSectionSet::SharedSectionSet(const BuildPolicy& policy, ISystem& system, const SettingsFiles& settings)
    : policy_(policy), system_(system), settings_(settings)
{
}

bool SharedSectionSet::Create(SECURITY_ATTRIBUTES* attributes)
{
    if (policy_.photoshopMutexAtSectionCreation)
        photoshopMutex_.Reset(CreateMutexA(attributes, FALSE, objnames::PHOTOSHOP_SYNC_MUTEX));

    bool created = false;
    if (policy_.sectionOrder == SectionOrder::ConnectionPenKey)
        created = CreateConnection(attributes) && CreatePen(attributes) && CreateKeyArea(attributes);
    else
        created = CreateKeyArea(attributes) && CreateConnection(attributes) && CreatePen(attributes);
    if (!created)
        Close();
    return created;
}

void SharedSectionSet::Close()
{
    connection_.Close();
    pen_.Close();
    keyArea_.Close();
    commandEvent_.Reset();
    syncEvent_.Reset();
}

SharedSectionSet::Retries SharedSectionSet::SectionRetries(bool connection) const
{
    // The library form tries its key area and pen section once (with and
    // without attributes) and its connection section ten times, a second apart.
    if (policy_.build == ServiceBuild::Library)
        return connection ? Retries{10, 1000} : Retries{1, 0};
    return Retries{20, 2000};
}

bool SharedSectionSet::CreateSection(MappedSection& section, const char* baseName, size_t size,
                                     SECURITY_ATTRIBUTES* attributes, Retries retries)
{
    char name[objnames::NAME_BUFFER_SIZE];
    if (!objnames::FormatObjectName(name, sizeof name, policy_.globalNames, baseName))
        return false;
    for (int attempt = 0; attempt < retries.tries; ++attempt) {
        HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, attributes, PAGE_READWRITE, 0,
                                            static_cast<DWORD>(size), name);
        if (mapping == nullptr) {
            if (retries.pauseMs != 0)
                system_.Sleep(retries.pauseMs);
            mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size),
                                         name);
        }
        // A section of this name that another build made smaller stays so
        // while its holders live: no retry, creation fails as a whole.
        if (mapping != nullptr)
            return section.Map(mapping, size);
    }
    return false;
}

bool SharedSectionSet::CreateKeyArea(SECURITY_ATTRIBUTES* attributes)
{
    if (!CreateSection(keyArea_, objnames::KEY_AREA_SECTION, policy_.keyAreaSize, attributes, SectionRetries(false)))
        return false;
    KeyAreaView area = KeyArea();
    // A section left by an earlier instance is re-initialised like a new one.
    std::memset(area.base, 0, area.size);
    area.head()->processId = static_cast<int32_t>(GetCurrentProcessId());
    if (!policy_.fillKeyAreaAtCreation)
        return true;
    if (settings_.ReadFirstDeviceRecord(area.record(), area.recordRoom()) == 0)
        FillKeyAreaMappingDefaults(area.head()->record.mapping);
    return true;
}

HANDLE SharedSectionSet::CreateCommandEvent(const char* libraryName, SECURITY_ATTRIBUTES* attributes)
{
    // The service program's events are unnamed: writers find them through the
    // handle and process id in the section. The library form names them.
    if (policy_.build != ServiceBuild::Library)
        return CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE event = CreateEventA(attributes, TRUE, FALSE, libraryName);
    if (event == nullptr) {
        system_.Sleep(2000);
        event = CreateEventA(attributes, TRUE, FALSE, libraryName);
    }
    return event;
}

bool SharedSectionSet::CreateConnection(SECURITY_ATTRIBUTES* attributes)
{
    if (!CreateSection(connection_, objnames::CONNECTION_SECTION, sizeof(ConnectionSection), attributes,
                       SectionRetries(true)))
        return false;
    ConnectionSection* connection = Connection();
    std::memset(connection, 0, sizeof *connection);
    connection->processId = static_cast<int32_t>(GetCurrentProcessId());
    commandEvent_.Reset(CreateCommandEvent(objnames::COMMAND_EVENT, attributes));
    syncEvent_.Reset(CreateCommandEvent(objnames::SYNC_EVENT, attributes));
    if (!commandEvent_ || !syncEvent_)
        return false;
    connection->commandEvent = HandleToULong(commandEvent_.Get());
    connection->syncEvent = HandleToULong(syncEvent_.Get());
    connection->registeredMessage = RegisterWindowMessageA(REGISTERED_MESSAGE_NAME);
    return true;
}

bool SharedSectionSet::CreatePen(SECURITY_ATTRIBUTES* attributes)
{
    if (!CreateSection(pen_, objnames::PEN_SECTION, sizeof(PenSection), attributes, SectionRetries(false)))
        return false;
    PenSection* pen = Pen();
    std::memset(pen, 0, sizeof *pen);
    pen->processId = static_cast<int32_t>(GetCurrentProcessId());
    if (!settings_.ReadPenSettingsFile(pen->pen))
        FillPenSettingsDefaults(pen->pen);
    return true;
}
