#include "EventLogSource.h"
#include "RegistryKey.h"

#include <cstring>
#include <string>

namespace {

constexpr const char* EVENT_LOG_KEY = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application";

// The names of a multi-string, without the terminating empty string.
std::vector<std::string> SplitMultiString(const std::vector<char>& data)
{
    std::vector<std::string> names;
    size_t at = 0;
    while (at < data.size() && data[at] != '\0') {
        size_t end = at;
        while (end < data.size() && data[end] != '\0')
            ++end;
        names.emplace_back(data.data() + at, end - at);
        at = end + 1;
    }
    return names;
}

std::vector<char> JoinMultiString(const std::vector<std::string>& names)
{
    std::vector<char> data;
    for (const std::string& name : names) {
        data.insert(data.end(), name.begin(), name.end());
        data.push_back('\0');
    }
    data.push_back('\0');
    if (names.empty())
        data.push_back('\0');
    return data;
}

std::vector<std::string> ReadSources(HKEY application)
{
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(application, "Sources", nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return {};
    std::vector<char> data(size + 2, '\0');
    if (RegQueryValueExA(application, "Sources", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return {};
    return SplitMultiString(data);
}

void WriteSources(HKEY application, const std::vector<std::string>& names)
{
    std::vector<char> data = JoinMultiString(names);
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
    std::vector<std::string> sources = ReadSources(application.Get());
    for (const std::string& name : sources)
        if (name == sourceName_)
            return true;
    sources.emplace_back(sourceName_);
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
    std::vector<std::string> sources = ReadSources(application.Get());
    std::vector<std::string> kept;
    for (const std::string& name : sources)
        if (name != sourceName_)
            kept.push_back(name);
    if (kept.size() != sources.size())
        WriteSources(application.Get(), kept);
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
