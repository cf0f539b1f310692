// A Windows service that can also run in the foreground: installs, removes,
// starts and stops itself through the service control manager, reports its
// status, writes to the event log and owns the console of a debug run.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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

    const char* DisplayName() const { return displayName_; }
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
    struct InstalledService;

    static void WINAPI ServiceMain(DWORD argc, LPSTR* argv);
    static DWORD WINAPI ServiceCtrlHandlerEx(DWORD control, DWORD eventType, LPVOID eventData, LPVOID context);
    static BOOL WINAPI ConsoleCtrlHandler(DWORD controlType);
    static LRESULT CALLBACK FacelessWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    BOOL RunAction(Action action);
    void RegisterHidNotification(HANDLE recipient, DWORD recipientKind);
    void UnregisterHidNotification();
    bool WaitWhile(SC_HANDLE service, DWORD pendingState, SERVICE_STATUS& status);
    BOOL StopService(SC_HANDLE service);
    // Opens the manager and this service, printing a failure as the shell does.
    bool OpenInstalledService(InstalledService& installed);
    void LookUpUserSid();
    void PrintError(const char* format);

    const char* serviceName_;
    const char* displayName_;
    DWORD checkPoint_ = 0;
    DWORD lastError_ = 0;
    bool foreground_ = false;
    SERVICE_STATUS status_{};
    SERVICE_STATUS_HANDLE statusHandle_ = nullptr;
    std::vector<BYTE> userSid_;
    bool isNT_ = false;
    bool consoleOpen_ = false;
    DWORD desiredAccess_ = SERVICE_ALL_ACCESS;
    DWORD startType_ = SERVICE_AUTO_START;
    DWORD errorControl_ = SERVICE_ERROR_NORMAL;
    const char* loadOrderGroup_ = "PNP_TDI";
    std::string account_;
    std::string password_;
    HDEVNOTIFY deviceNotification_ = nullptr;
    HWND facelessWindow_ = nullptr;
};
