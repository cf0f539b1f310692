#include "CNTService.h"

#include <dbt.h>
// The HID headers carry no C++ linkage of their own.
extern "C" {
#include <hidsdi.h>
}

#include <cstdio>

namespace {

CNTService* g_instance = nullptr;  // reached by the system's static callbacks

constexpr DWORD EVENT_TYPES = 7;

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

}  // namespace

CNTService::CNTService(const char* serviceName, const char* displayName)
    : serviceName_(serviceName),
      displayName_(displayName ? displayName : serviceName),
      isNT_(IsWindowsNT()),
      eventLog_(serviceName, isNT_),
      control_(serviceName_, displayName_),
      facelessWindow_([this] { OnDeviceArrival(); }, [this] { OnSessionEnd(); })
{
    g_instance = this;
    status_.dwServiceType = serviceType_;
    status_.dwCurrentState = SERVICE_STOPPED;
}

CNTService::~CNTService()
{
    if (g_instance == this)
        g_instance = nullptr;
}

CNTService* CNTService::GetServiceInstance() { return g_instance; }

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
    if (!isNT_)
        return control_.AddToRunServices(path);
    const ServiceInstallation installation{desiredAccess_, serviceType_, startType_, errorControl_,
                                           loadOrderGroup_, account_, password_};
    if (!control_.Create(path, installation))
        return FALSE;
    InstallEventSource(path, EVENT_TYPES);
    LogEvent("Service installed", EVENTLOG_INFORMATION_TYPE, static_cast<DWORD>(-1));
    return TRUE;
}

BOOL CNTService::Uninstall()
{
    OpenConsole();
    if (!isNT_)
        return control_.RemoveFromRunServices();
    if (!control_.Delete())
        return FALSE;
    RemoveEventSource();
    return TRUE;
}

BOOL CNTService::StopInstalledService() { return control_.Stop(); }

BOOL CNTService::StartInstalledService() { return control_.Start(); }

BOOL CNTService::InstallEventSource(const char* messageFile, DWORD types)
{
    return eventLog_.Install(messageFile, types);
}

BOOL CNTService::RemoveEventSource() { return eventLog_.Remove(); }

BOOL CNTService::LogEvent(const char* text, WORD type, DWORD eventId)
{
    lastError_ = GetLastError();
    return eventLog_.Report(text, type, eventId);
}

void CNTService::FormatError(char* buffer, size_t size) const { ServiceControl::FormatLastError(buffer, size); }

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

void CNTService::OpenConsole() { console_.Open(); }

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

void CNTService::OnSessionEnd()
{
    UnregisterHidNotification();
    OnStop();
}

BOOL CNTService::DebugService(int argc, char** argv, BOOL withConsole)
{
    if (withConsole) {
        OpenConsole();
        std::printf("Debugging %s.\n", displayName_);
        SetConsoleCtrlHandler(ConsoleCtrlHandler, TRUE);
    }
    RegisterHidNotification(facelessWindow_.Create(), DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!InitService())
        return FALSE;
    HANDLE stopEvent = nullptr;
    Run(argc, argv, &stopEvent);
    UnregisterHidNotification();
    facelessWindow_.Destroy();
    return TRUE;
}
