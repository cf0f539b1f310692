#include "CNTService.h"

#include <dbt.h>
// The HID headers carry no C++ linkage of their own.
extern "C" {
#include <hidsdi.h>
}

#include <cstdio>
#include <cstring>

namespace {

CNTService* g_instance = nullptr;  // reached by the system's static callbacks

constexpr DWORD MANAGER_ACCESS = 0xF003F;  // SC_MANAGER_ALL_ACCESS
constexpr DWORD EVENT_TYPES = 7;
constexpr const char* EVENT_LOG_KEY = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application";
constexpr const char* RUN_SERVICES_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
constexpr const char* FACELESS_CLASS = "ZQV__FacelessWndProc_";

class ServiceManagerHandle {
public:
    explicit ServiceManagerHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ServiceManagerHandle() { Reset(nullptr); }
    void Reset(SC_HANDLE handle)
    {
        if (handle_ != nullptr)
            CloseServiceHandle(handle_);
        handle_ = handle;
    }
    ServiceManagerHandle(const ServiceManagerHandle&) = delete;
    ServiceManagerHandle& operator=(const ServiceManagerHandle&) = delete;
    SC_HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    SC_HANDLE handle_;
};

}  // namespace

struct CNTService::InstalledService {
    ServiceManagerHandle manager{nullptr};
    ServiceManagerHandle service{nullptr};
};

namespace {

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey()
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* Out() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool IsWindowsNT()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
    return known && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

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

CNTService::CNTService(const char* serviceName, const char* displayName)
    : serviceName_(serviceName), displayName_(displayName ? displayName : serviceName)
{
    g_instance = this;
    status_.dwServiceType = serviceType_;
    status_.dwCurrentState = SERVICE_STOPPED;
    isNT_ = IsWindowsNT();
    if (isNT_)
        LookUpUserSid();
}

CNTService::~CNTService()
{
    if (g_instance == this)
        g_instance = nullptr;
}

CNTService* CNTService::GetServiceInstance() { return g_instance; }

void CNTService::LookUpUserSid()
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

int CNTService::ParseStandardArgs(int argc, char** argv)
{
    Action action = Action::Dispatcher;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (argument == nullptr || argument[0] != '-')
            continue;
        switch (argument[1]) {
        case 'i': action = Action::Install; break;
        case 'u': action = Action::Uninstall; break;
        case 's': action = Action::Start; break;
        case 'e': action = Action::Stop; break;
        case 'l':
        case 'p': {
            std::string value = argument + 2;
            if (value.empty() && i + 1 < argc)
                value = argv[++i];
            (argument[1] == 'l' ? account_ : password_) = value;
            break;
        }
        case 'd':
            foreground_ = true;
            return DebugService(argc, argv, TRUE);
        case 'f':
            foreground_ = true;
            return DebugService(argc, argv, FALSE);
        default:
            break;
        }
    }
    return RunAction(action);
}

BOOL CNTService::RunAction(Action action)
{
    switch (action) {
    case Action::Install: return Install();
    case Action::Uninstall: return Uninstall();
    case Action::Start: return StartInstalledService();
    case Action::Stop: return StopInstalledService();
    case Action::Dispatcher: break;
    }
    return StartDispatcher();
}

BOOL CNTService::StartDispatcher()
{
    SERVICE_TABLE_ENTRYA table[] = {{const_cast<char*>(serviceName_), ServiceMain}, {nullptr, nullptr}};
    if (StartServiceCtrlDispatcherA(table))
        return TRUE;
    char error[256];
    FormatError(error, sizeof error);
    LogEvent(error, EVENTLOG_ERROR_TYPE, static_cast<DWORD>(-1));
    return FALSE;
}

void CNTService::PrintError(const char* format)
{
    char error[256];
    FormatError(error, sizeof error);
    std::printf(format, error);
}

BOOL CNTService::Install()
{
    OpenConsole();
    char path[1024] = {};
    if (GetModuleFileNameA(nullptr, path, 1023) == 0) {
        char error[256];
        FormatError(error, sizeof error);
        std::printf("Unable to install %s - %s\n", displayName_, error);
        return FALSE;
    }
    if (!isNT_) {
        RegistryKey key;
        if (RegCreateKeyA(HKEY_LOCAL_MACHINE, RUN_SERVICES_KEY, key.Out()) != ERROR_SUCCESS)
            return FALSE;
        return RegSetValueExA(key.Get(), serviceName_, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(path),
                              static_cast<DWORD>(std::strlen(path) + 1)) == ERROR_SUCCESS;
    }
    ServiceManagerHandle manager(OpenSCManagerA(nullptr, nullptr, MANAGER_ACCESS));
    if (!manager) {
        PrintError("OpenSCManager failed - %s\n");
        return FALSE;
    }
    ServiceManagerHandle service(CreateServiceA(manager.Get(), serviceName_, displayName_, desiredAccess_,
                                                serviceType_, startType_, errorControl_, path, loadOrderGroup_,
                                                nullptr, nullptr, account_.empty() ? nullptr : account_.c_str(),
                                                password_.empty() ? nullptr : password_.c_str()));
    if (!service) {
        PrintError("CreateService failed - %s\n");
        return FALSE;
    }
    std::printf("%s installed.\n", displayName_);
    InstallEventSource(path, EVENT_TYPES);
    LogEvent("Service installed", EVENTLOG_INFORMATION_TYPE, static_cast<DWORD>(-1));
    return TRUE;
}

bool CNTService::WaitWhile(SC_HANDLE service, DWORD pendingState, SERVICE_STATUS& status)
{
    while (QueryServiceStatus(service, &status) && status.dwCurrentState == pendingState) {
        std::printf(".");
        Sleep(1000);
    }
    return QueryServiceStatus(service, &status) != 0;
}

bool CNTService::OpenInstalledService(InstalledService& installed)
{
    installed.manager.Reset(OpenSCManagerA(nullptr, nullptr, MANAGER_ACCESS));
    if (!installed.manager) {
        PrintError("OpenSCManager failed - %s\n");
        return false;
    }
    installed.service.Reset(OpenServiceA(installed.manager.Get(), serviceName_, SERVICE_ALL_ACCESS));
    if (!installed.service) {
        PrintError("OpenService failed - %s\n");
        return false;
    }
    return true;
}

BOOL CNTService::StopService(SC_HANDLE service)
{
    SERVICE_STATUS status{};
    if (!ControlService(service, SERVICE_CONTROL_STOP, &status))
        return FALSE;
    std::printf("Stopping %s.", displayName_);
    Sleep(1000);
    WaitWhile(service, SERVICE_STOP_PENDING, status);
    if (status.dwCurrentState == SERVICE_STOPPED) {
        std::printf("\n%s stopped.\n", displayName_);
        return TRUE;
    }
    std::printf("\n%s failed to stop.\n", displayName_);
    return FALSE;
}

BOOL CNTService::Uninstall()
{
    OpenConsole();
    if (!isNT_) {
        RegistryKey key;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, RUN_SERVICES_KEY, key.Out()) != ERROR_SUCCESS)
            return FALSE;
        return RegDeleteValueA(key.Get(), serviceName_) == ERROR_SUCCESS;
    }
    InstalledService installed;
    if (!OpenInstalledService(installed))
        return FALSE;
    StopService(installed.service.Get());
    if (!DeleteService(installed.service.Get())) {
        PrintError("DeleteService failed - %s\n");
        return FALSE;
    }
    std::printf("%s removed.\n", displayName_);
    RemoveEventSource();
    return TRUE;
}

BOOL CNTService::StopInstalledService()
{
    InstalledService installed;
    if (!OpenInstalledService(installed))
        return FALSE;
    return StopService(installed.service.Get());
}

BOOL CNTService::StartInstalledService()
{
    InstalledService installed;
    if (!OpenInstalledService(installed))
        return FALSE;
    std::printf("Starting up %s.", displayName_);
    if (!StartServiceA(installed.service.Get(), 0, nullptr)) {
        char error[256];
        FormatError(error, sizeof error);
        std::printf("\n%s failed to start: %s\n", displayName_, error);
        return FALSE;
    }
    SERVICE_STATUS status{};
    Sleep(1000);
    WaitWhile(installed.service.Get(), SERVICE_START_PENDING, status);
    if (status.dwCurrentState == SERVICE_RUNNING) {
        std::printf("\n%s started.\n", displayName_);
        return TRUE;
    }
    std::printf("\n%s failed to start.\n", displayName_);
    return FALSE;
}

BOOL CNTService::InstallEventSource(const char* messageFile, DWORD types)
{
    std::string keyName = std::string(EVENT_LOG_KEY) + "\\" + serviceName_;
    RegistryKey source;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, keyName.c_str(), source.Out()) != ERROR_SUCCESS)
        return FALSE;
    RegSetValueExA(source.Get(), "EventMessageFile", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(messageFile),
                   static_cast<DWORD>(std::strlen(messageFile) + 1));
    RegSetValueExA(source.Get(), "TypesSupported", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&types),
                   sizeof types);

    RegistryKey application;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EVENT_LOG_KEY, 0, KEY_READ | KEY_WRITE, application.Out()) !=
        ERROR_SUCCESS)
        return FALSE;
    std::vector<std::string> sources = ReadSources(application.Get());
    for (const std::string& name : sources)
        if (name == serviceName_)
            return TRUE;
    sources.emplace_back(serviceName_);
    WriteSources(application.Get(), sources);
    return TRUE;
}

BOOL CNTService::RemoveEventSource()
{
    std::string keyName = std::string(EVENT_LOG_KEY) + "\\" + serviceName_;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyName.c_str());
    RegistryKey application;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EVENT_LOG_KEY, 0, KEY_READ | KEY_WRITE, application.Out()) !=
        ERROR_SUCCESS)
        return FALSE;
    std::vector<std::string> sources = ReadSources(application.Get());
    std::vector<std::string> kept;
    for (const std::string& name : sources)
        if (name != serviceName_)
            kept.push_back(name);
    if (kept.size() != sources.size())
        WriteSources(application.Get(), kept);
    return TRUE;
}

BOOL CNTService::LogEvent(const char* text, WORD type, DWORD eventId)
{
    lastError_ = GetLastError();
    if (eventId == static_cast<DWORD>(-1)) {
        if (type == EVENTLOG_ERROR_TYPE)
            eventId = 0xC0000002;
        else if (type == EVENTLOG_WARNING_TYPE)
            eventId = 0x80000001;
        else
            eventId = 0x40000000;
    }
    HANDLE source = RegisterEventSourceA(nullptr, serviceName_);
    if (source == nullptr)
        return FALSE;
    const char* strings[] = {text};
    BOOL reported = ReportEventA(source, type, 0, eventId, userSid_.empty() ? nullptr : userSid_.data(), 1, 0,
                                 strings, nullptr);
    DeregisterEventSource(source);
    return reported;
}

void CNTService::FormatError(char* buffer, size_t size) const
{
    if (buffer == nullptr || size == 0)
        return;
    buffer[0] = '\0';
    char* text = nullptr;
    // No arguments are given: texts with placeholders come as they are.
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, GetLastError(), LANG_NEUTRAL, reinterpret_cast<char*>(&text), 0, nullptr);
    if (text == nullptr)
        return;
    if (length != 0 && size >= length + 14) {
        size_t kept = length >= 2 ? length - 2 : 0;  // the line break at the end
        std::memcpy(buffer, text, kept);
        buffer[kept] = '\0';
    }
    LocalFree(text);
}

BOOL CNTService::SetStatus(DWORD state, DWORD waitHint, DWORD exitCode)
{
    if (foreground_)
        return TRUE;
    status_.dwCurrentState = state;
    status_.dwControlsAccepted = state == SERVICE_START_PENDING ? 0 : controlsAccepted_;
    status_.dwWin32ExitCode = exitCode == 0 ? NO_ERROR : ERROR_SERVICE_SPECIFIC_ERROR;
    status_.dwServiceSpecificExitCode = exitCode;
    status_.dwCheckPoint = (state == SERVICE_RUNNING || state == SERVICE_STOPPED) ? 0 : ++checkPoint_;
    status_.dwWaitHint = waitHint;
    status_.dwServiceType = serviceType_;
    if (SetServiceStatus(statusHandle_, &status_))
        return TRUE;
    LogEvent("SetServiceStatus() failed", EVENTLOG_ERROR_TYPE, static_cast<DWORD>(-1));
    return FALSE;
}

void CNTService::OpenConsole()
{
    if (consoleOpen_)
        return;
    consoleOpen_ = true;
    // A console program started from a console (or with redirected output)
    // already has its streams; only a fresh console needs them bound.
    if (AllocConsole()) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
        std::freopen("CONIN$", "r", stdin);
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
}

void CNTService::RegisterHidNotification(HANDLE recipient, DWORD recipientKind)
{
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    HidD_GetHidGuid(&filter.dbcc_classguid);
    deviceNotification_ = RegisterDeviceNotificationA(recipient, &filter, recipientKind);
    // A service runs where nobody sees a plain message box, and it would wait
    // there for good: the box goes to the interactive user's desktop instead.
    const UINT style = MB_OK | (foreground_ ? 0 : MB_SERVICE_NOTIFICATION);
    if (deviceNotification_ == nullptr)
        MessageBoxA(nullptr, "fail", "RegisterDeviceNotification", style);
}

void CNTService::UnregisterHidNotification()
{
    if (deviceNotification_ != nullptr)
        UnregisterDeviceNotification(deviceNotification_);
    deviceNotification_ = nullptr;
}

void WINAPI CNTService::ServiceMain(DWORD argc, LPSTR* argv)
{
    CNTService* service = GetServiceInstance();
    if (service == nullptr)
        return;
    service->statusHandle_ = RegisterServiceCtrlHandlerExA(service->serviceName_, ServiceCtrlHandlerEx, nullptr);
    if (service->statusHandle_ == nullptr)
        return;
    service->RegisterHidNotification(service->statusHandle_, DEVICE_NOTIFY_SERVICE_HANDLE);
    service->SetStatus(SERVICE_START_PENDING, 3000, 0);
    if (service->InitService()) {
        HANDLE stopEvent = nullptr;
        service->Run(static_cast<int>(argc), argv, &stopEvent);
    }
    service->SetStatus(SERVICE_STOPPED, 3000, 0);
}

DWORD WINAPI CNTService::ServiceCtrlHandlerEx(DWORD control, DWORD eventType, LPVOID, LPVOID)
{
    CNTService* service = GetServiceInstance();
    if (service == nullptr)
        return NO_ERROR;
    switch (control) {
    case SERVICE_CONTROL_STOP:
        service->UnregisterHidNotification();
        service->status_.dwCurrentState = SERVICE_STOP_PENDING;
        service->OnStop();
        Sleep(5);
        break;
    case SERVICE_CONTROL_PAUSE:
        service->status_.dwCurrentState = SERVICE_PAUSE_PENDING;
        service->OnPause();
        break;
    case SERVICE_CONTROL_CONTINUE:
        service->status_.dwCurrentState = SERVICE_CONTINUE_PENDING;
        service->OnContinue();
        break;
    case SERVICE_CONTROL_INTERROGATE:
        service->SetStatus(service->status_.dwCurrentState, 3000, 0);
        break;
    case SERVICE_CONTROL_SHUTDOWN:
        service->OnShutdown();
        break;
    case SERVICE_CONTROL_DEVICEEVENT:
        if (eventType == DBT_DEVICEARRIVAL)
            service->OnDeviceArrival();
        break;
    default:
        break;
    }
    return NO_ERROR;
}

BOOL WINAPI CNTService::ConsoleCtrlHandler(DWORD controlType)
{
    CNTService* service = GetServiceInstance();
    if (service == nullptr || (controlType != CTRL_C_EVENT && controlType != CTRL_BREAK_EVENT))
        return FALSE;
    std::printf("Stopping %s.\n", service->displayName_);
    service->OnStop();
    return TRUE;
}

LRESULT CALLBACK CNTService::FacelessWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CNTService* service = GetServiceInstance();
    if (service == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
    case WM_QUIT:
        if (message == WM_QUIT || lParam == 0) {
            service->UnregisterHidNotification();
            DestroyWindow(window);
            service->facelessWindow_ = nullptr;
            service->OnStop();
            return 1;
        }
        break;
    case WM_DEVICECHANGE:
        if (wParam == DBT_DEVICEARRIVAL)
            service->OnDeviceArrival();
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL CNTService::DebugService(int argc, char** argv, BOOL withConsole)
{
    if (withConsole) {
        OpenConsole();
        std::printf("Debugging %s.\n", displayName_);
        SetConsoleCtrlHandler(ConsoleCtrlHandler, TRUE);
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FacelessWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = FACELESS_CLASS;
    RegisterClassA(&windowClass);
    facelessWindow_ = CreateWindowA(FACELESS_CLASS, "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (facelessWindow_ == nullptr) {
        // Without a desktop (no display) a message-only window still receives
        // device arrivals, though not the end-of-session broadcasts.
        facelessWindow_ = CreateWindowA(FACELESS_CLASS, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    }
    RegisterHidNotification(facelessWindow_, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!InitService())
        return FALSE;
    HANDLE stopEvent = nullptr;
    Run(argc, argv, &stopEvent);
    UnregisterHidNotification();
    if (facelessWindow_ != nullptr)
        DestroyWindow(facelessWindow_);
    facelessWindow_ = nullptr;
    return TRUE;
}
