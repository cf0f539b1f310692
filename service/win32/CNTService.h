// A Windows service that can also run in the foreground: the shell of the
// service program. It takes the command line, runs as the service (status,
// controls, device arrivals) or in a debug run with its console and hidden
// window, and through its parts installs, removes, starts and stops itself
// and writes to the event log.
#pragma once

#include "EventLogSource.h"
#include "FacelessWindow.h"
#include "ServiceConsole.h"
#include "ServiceControl.h"

#include <windows.h>

#include <string>

class CNTService {
public:
    CNTService(const char* serviceName, const char* displayName);
    virtual ~CNTService();
    CNTService(const CNTService&) = delete;
    CNTService& operator=(const CNTService&) = delete;

    virtual BOOL Run(int argc, char** argv, HANDLE* stopEvent) = 0;
    virtual void OnStop() = 0;
    virtual void OnPause() {}
    virtual void OnContinue() {}
    virtual void OnShutdown() {}
    virtual int ParseStandardArgs(int argc, char** argv);
    virtual BOOL StartDispatcher();
    virtual BOOL Install();
    virtual BOOL Uninstall();
    virtual BOOL StopInstalledService();
    virtual BOOL StartInstalledService();
    virtual BOOL DebugService(int argc, char** argv, BOOL withConsole);
    virtual BOOL InstallEventSource(const char* messageFile, DWORD types);
    virtual BOOL RemoveEventSource();
    virtual BOOL LogEvent(const char* text, WORD type, DWORD eventId);

    // The one instance, for the static callbacks of the system.
    static CNTService* GetServiceInstance();

    BOOL SetStatus(DWORD state, DWORD waitHint, DWORD exitCode);
    void FormatError(char* buffer, size_t size) const;
    void OpenConsole();

    bool IsForeground() const { return foreground_; }
    const std::string& Account() const { return account_; }
    const std::string& Password() const { return password_; }

protected:
    // Device arrival notifications (service control or the faceless window).
    virtual void OnDeviceArrival() {}
    // Creates the shared objects and attaches the ring; false stops the service.
    virtual BOOL InitService() = 0;

    DWORD serviceType_ = SERVICE_WIN32_OWN_PROCESS;
    DWORD controlsAccepted_ = SERVICE_ACCEPT_STOP;

private:
    enum class Action { Dispatcher, Install, Uninstall, Start, Stop };

    static void WINAPI ServiceMain(DWORD argc, LPSTR* argv);
    static DWORD WINAPI ServiceCtrlHandlerEx(DWORD control, DWORD eventType, LPVOID eventData, LPVOID context);
    static BOOL WINAPI ConsoleCtrlHandler(DWORD controlType);

    BOOL RunAction(Action action);
    void RegisterHidNotification(HANDLE recipient, DWORD recipientKind);
    void UnregisterHidNotification();
    void OnSessionEnd();

    const char* serviceName_;
    const char* displayName_;
    DWORD checkPoint_ = 0;
    DWORD lastError_ = 0;
    bool foreground_ = false;
    SERVICE_STATUS status_{};
    SERVICE_STATUS_HANDLE statusHandle_ = nullptr;
    bool isNT_ = false;
    EventLogSource eventLog_;
    ServiceControl control_;
    ServiceConsole console_;
    FacelessWindow facelessWindow_;
    DWORD desiredAccess_ = SERVICE_ALL_ACCESS;
    DWORD startType_ = SERVICE_AUTO_START;
    DWORD errorControl_ = SERVICE_ERROR_NORMAL;
    const char* loadOrderGroup_ = "PNP_TDI";
    std::string account_;
    std::string password_;
    HDEVNOTIFY deviceNotification_ = nullptr;
};
