#include "EventLogSource.h"
#include "EventSourceList.h"
#include "RegistryKey.h"

#include <cstring>
#include <string>

namespace {

constexpr const char* EVENT_LOG_KEY = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application";

enum class SourcesValue { Missing, Read, Unreadable };

// The log's "Sources": missing, read whole, or there but not readable whole.
// Only a list read whole may be written back: anything less would drop the
// sources of other programs.
SourcesValue ReadSources(HKEY application, EventSourceList& sources)
{
    DWORD type = 0, size = 0;
    const LONG found = RegQueryValueExA(application, "Sources", nullptr, &type, nullptr, &size);
    if (found == ERROR_FILE_NOT_FOUND)
        return SourcesValue::Missing;
    if (found != ERROR_SUCCESS || type != REG_MULTI_SZ)
        return SourcesValue::Unreadable;
    std::vector<char> data(size + 1, '\0');
    DWORD read = size;
    if (RegQueryValueExA(application, "Sources", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &read) !=
            ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return SourcesValue::Unreadable;
    sources = EventSourceList(data.data(), read);
    return SourcesValue::Read;
}

void WriteSources(HKEY application, const EventSourceList& sources)
{
    std::vector<char> data = sources.ToMultiString();
    RegSetValueExA(application, "Sources", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
}

}  // namespace

EventLogSource::EventLogSource(const char* sourceName, bool withUser) : sourceName_(sourceName)
{
    if (withUser)
        LookUpUserSid();
}

void EventLogSource::LookUpUserSid()
{
    char user[256] = {};
    DWORD userLength = sizeof user - 1;
    if (!GetUserNameA(user, &userLength))
        return;
    std::vector<BYTE> sid(4096);
    DWORD sidLength = static_cast<DWORD>(sid.size());
    char domain[256] = {};
    DWORD domainLength = sizeof domain - 1;
    SID_NAME_USE use;
    if (!LookupAccountNameA(nullptr, user, sid.data(), &sidLength, domain, &domainLength, &use) ||
        !IsValidSid(sid.data()))
        return;
    sid.resize(GetLengthSid(sid.data()));
    userSid_ = std::move(sid);
}

bool EventLogSource::Install(const char* messageFile, DWORD types)
{
    std::string keyName = std::string(EVENT_LOG_KEY) + "\\" + sourceName_;
    RegistryKey source;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, keyName.c_str(), source.Out()) != ERROR_SUCCESS)
        return false;
    RegSetValueExA(source.Get(), "EventMessageFile", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(messageFile),
                   static_cast<DWORD>(std::strlen(messageFile) + 1));
    RegSetValueExA(source.Get(), "TypesSupported", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&types),
                   sizeof types);

    RegistryKey application;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EVENT_LOG_KEY, 0, KEY_READ | KEY_WRITE, application.Out()) !=
        ERROR_SUCCESS)
        return false;
    EventSourceList sources;
    if (ReadSources(application.Get(), sources) != SourcesValue::Unreadable && sources.Add(sourceName_))
        WriteSources(application.Get(), sources);
    return true;
}

bool EventLogSource::Remove()
{
    std::string keyName = std::string(EVENT_LOG_KEY) + "\\" + sourceName_;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyName.c_str());
    RegistryKey application;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EVENT_LOG_KEY, 0, KEY_READ | KEY_WRITE, application.Out()) !=
        ERROR_SUCCESS)
        return false;
    EventSourceList sources;
    if (ReadSources(application.Get(), sources) == SourcesValue::Read && sources.Remove(sourceName_))
        WriteSources(application.Get(), sources);
    return true;
}

bool EventLogSource::Report(const char* text, WORD type, DWORD eventId) const
{
    if (eventId == static_cast<DWORD>(-1)) {
        if (type == EVENTLOG_ERROR_TYPE)
            eventId = 0xC0000002;
        else if (type == EVENTLOG_WARNING_TYPE)
            eventId = 0x80000001;
        else
            eventId = 0x40000000;
    }
    HANDLE source = RegisterEventSourceA(nullptr, sourceName_);
    if (source == nullptr)
        return false;
    const char* strings[] = {text};
    const BOOL reported = ReportEventA(source, type, 0, eventId,
                                       userSid_.empty() ? nullptr : const_cast<BYTE*>(userSid_.data()), 1, 0,
                                       strings, nullptr);
    DeregisterEventSource(source);
    return reported != FALSE;
}
