// The service as the service control manager knows it: installing and
// removing it (on systems outside the NT line, its "RunServices" entry),
// starting and stopping it and waiting until it has, each step told on the
// console as the shell tells it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// How the service is registered.
struct ServiceInstallation {
    DWORD desiredAccess;
    DWORD serviceType;
    DWORD startType;
    DWORD errorControl;
    const char* loadOrderGroup;
    std::string account;   // empty: the system account
    std::string password;
};

class ServiceControl {
public:
    ServiceControl(const char* serviceName, const char* displayName)
        : serviceName_(serviceName), displayName_(displayName) {}

    // programPath: the program's full path, unquoted.
    bool Create(const char* programPath, const ServiceInstallation& installation);
    // Stops the service when it runs, then removes it.
    bool Delete();
    bool Start();
    bool Stop();
    bool AddToRunServices(const char* programPath);
    bool RemoveFromRunServices();

    // The system's text of the last error, without its line break.
    static void FormatLastError(char* buffer, size_t size);

private:
    struct InstalledService;

    // Opens the manager and this service, printing a failure as the shell does.
    bool OpenInstalledService(InstalledService& installed);
    bool StopService(SC_HANDLE service);
    static bool WaitWhile(SC_HANDLE service, DWORD pendingState, SERVICE_STATUS& status);
    static void PrintError(const char* format);

    const char* serviceName_;
    const char* displayName_;
};
