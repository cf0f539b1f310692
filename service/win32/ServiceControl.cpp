#include "ServiceControl.h"
#include "RegistryKey.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr DWORD MANAGER_ACCESS = 0xF003F;  // SC_MANAGER_ALL_ACCESS
constexpr const char* RUN_SERVICES_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";

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

struct ServiceControl::InstalledService {
    ServiceManagerHandle manager{nullptr};
    ServiceManagerHandle service{nullptr};
};

void ServiceControl::FormatLastError(char* buffer, size_t size)
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

void ServiceControl::PrintError(const char* format)
{
    char error[256];
    FormatLastError(error, sizeof error);
    std::printf(format, error);
}

bool ServiceControl::AddToRunServices(const char* programPath)
{
    RegistryKey key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, RUN_SERVICES_KEY, key.Out()) != ERROR_SUCCESS)
        return false;
    return RegSetValueExA(key.Get(), serviceName_, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(programPath),
                          static_cast<DWORD>(std::strlen(programPath) + 1)) == ERROR_SUCCESS;
}

bool ServiceControl::RemoveFromRunServices()
{
    RegistryKey key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, RUN_SERVICES_KEY, key.Out()) != ERROR_SUCCESS)
        return false;
    return RegDeleteValueA(key.Get(), serviceName_) == ERROR_SUCCESS;
}

bool ServiceControl::Create(const char* programPath, const ServiceInstallation& installation)
{
    ServiceManagerHandle manager(OpenSCManagerA(nullptr, nullptr, MANAGER_ACCESS));
    if (!manager) {
        PrintError("OpenSCManager failed - %s\n");
        return false;
    }
    const std::string& account = installation.account;
    const std::string& password = installation.password;
    // The manager reads a command line: unquoted, a path with spaces
    // ("C:\Program Files\...") could start "C:\Program.exe" instead.
    const std::string commandLine = std::string("\"") + programPath + "\"";
    ServiceManagerHandle service(CreateServiceA(
        manager.Get(), serviceName_, displayName_, installation.desiredAccess, installation.serviceType,
        installation.startType, installation.errorControl, commandLine.c_str(), installation.loadOrderGroup, nullptr,
        nullptr, account.empty() ? nullptr : account.c_str(), password.empty() ? nullptr : password.c_str()));
    if (!service) {
        PrintError("CreateService failed - %s\n");
        return false;
    }
    std::printf("%s installed.\n", displayName_);
    return true;
}

bool ServiceControl::WaitWhile(SC_HANDLE service, DWORD pendingState, SERVICE_STATUS& status)
{
    while (QueryServiceStatus(service, &status) && status.dwCurrentState == pendingState) {
        std::printf(".");
        Sleep(1000);
    }
    return QueryServiceStatus(service, &status) != 0;
}

bool ServiceControl::OpenInstalledService(InstalledService& installed)
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

bool ServiceControl::StopService(SC_HANDLE service)
{
    SERVICE_STATUS status{};
    if (!ControlService(service, SERVICE_CONTROL_STOP, &status))
        return false;
    std::printf("Stopping %s.", displayName_);
    Sleep(1000);
    WaitWhile(service, SERVICE_STOP_PENDING, status);
    if (status.dwCurrentState == SERVICE_STOPPED) {
        std::printf("\n%s stopped.\n", displayName_);
        return true;
    }
    std::printf("\n%s failed to stop.\n", displayName_);
    return false;
}

bool ServiceControl::Delete()
{
    InstalledService installed;
    if (!OpenInstalledService(installed))
        return false;
    StopService(installed.service.Get());
    if (!DeleteService(installed.service.Get())) {
        PrintError("DeleteService failed - %s\n");
        return false;
    }
    std::printf("%s removed.\n", displayName_);
    return true;
}

bool ServiceControl::Stop()
{
    InstalledService installed;
    if (!OpenInstalledService(installed))
        return false;
    return StopService(installed.service.Get());
}

bool ServiceControl::Start()
{
    InstalledService installed;
    if (!OpenInstalledService(installed))
        return false;
    std::printf("Starting up %s.", displayName_);
    if (!StartServiceA(installed.service.Get(), 0, nullptr)) {
        char error[256];
        FormatLastError(error, sizeof error);
        std::printf("\n%s failed to start: %s\n", displayName_, error);
        return false;
    }
    SERVICE_STATUS status{};
    Sleep(1000);
    WaitWhile(installed.service.Get(), SERVICE_START_PENDING, status);
    if (status.dwCurrentState == SERVICE_RUNNING) {
        std::printf("\n%s started.\n", displayName_);
        return true;
    }
    std::printf("\n%s failed to start.\n", displayName_);
    return false;
}
