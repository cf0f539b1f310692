// The service program installs, starts, stops and removes itself through the
// real service control manager of the Wine prefix.
#include "CNTService.h"
#include "ChildProcess.h"

#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* EVENT_LOG_KEY = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application";

int CountSources(const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EVENT_LOG_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    DWORD size = 0, type = 0;
    std::vector<char> data;
    if (RegQueryValueExA(key, "Sources", nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        data.assign(size + 2, '\0');
        RegQueryValueExA(key, "Sources", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    }
    RegCloseKey(key);
    int count = 0;
    for (size_t at = 0; at < data.size() && data[at] != '\0'; at += std::strlen(&data[at]) + 1)
        count += name == &data[at] ? 1 : 0;
    return count;
}

// Deletes the service behind the program's back, leaving its event source.
void DeleteServiceDirectly(const char* name)
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (manager == nullptr)
        return;
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
    if (service != nullptr) {
        SERVICE_STATUS status;
        ControlService(service, SERVICE_CONTROL_STOP, &status);
        DeleteService(service);
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The command line the service manager starts the service with.
std::string InstalledCommandLine(const char* name)
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_QUERY_CONFIG);
    std::vector<BYTE> buffer(8192);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    DWORD needed = 0;
    const bool known = QueryServiceConfigA(service, config, static_cast<DWORD>(buffer.size()), &needed);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return known ? config->lpBinaryPathName : "";
}

void CheckLifecycle(const char* program, const char* name)
{
    DeleteServiceDirectly(name);
    int code = 0;

    std::string output = RunToEnd(program, "-i", &code);
    CHECK(Contains(output, std::string(name) + " installed."));
    CHECK(code == 1);
    // Quoted, so that a folder with spaces never names another program.
    const std::string commandLine = InstalledCommandLine(name);
    CHECK(commandLine.find('"') == 0);
    CHECK(commandLine.rfind('"') == commandLine.size() - 1);

    // A second install after the service vanished keeps one event source entry.
    DeleteServiceDirectly(name);
    output = RunToEnd(program, "-i", &code);
    CHECK(code == 1);
    CHECK(CountSources(name) == 1);

    output = RunToEnd(program, "-s", &code);
    CHECK(Contains(output, std::string("Starting up ") + name + "."));
    CHECK(Contains(output, std::string(name) + " started."));
    CHECK(code == 1);

    output = RunToEnd(program, "-e", &code);
    CHECK(Contains(output, std::string(name) + " stopped."));
    CHECK(code == 1);

    output = RunToEnd(program, "-u", &code);
    CHECK(Contains(output, std::string(name) + " removed."));
    CHECK(code == 1);
    CHECK(CountSources(name) == 0);

    output = RunToEnd(program, "-u", &code);
    CHECK(Contains(output, "OpenService failed - "));
    CHECK(code == 0);
    DeleteServiceDirectly(name);
}

// The shell with nothing to run, for its helpers.
class IdleService : public CNTService {
public:
    IdleService() : CNTService("InkbridIdleTest", nullptr) {}
    BOOL Run(int, char**, HANDLE*) override { return TRUE; }
    void OnStop() override {}

protected:
    BOOL InitService() override { return TRUE; }
};

}  // namespace

TEST_SUITE("service control")
{
    TEST_CASE("the service program installs, starts, stops and removes itself")
    {
        CheckLifecycle("Inkbrid.exe", "Stylora");
    }

    TEST_CASE("the second-brand service program does the same as \"Penmira\"")
    {
        CheckLifecycle("InkbridPenmira.exe", "Penmira");
    }

    TEST_CASE("install and remove leave an event-log source list they cannot read whole as it is")
    {
        DeleteServiceDirectly("Stylora");
        HKEY application = nullptr;
        REQUIRE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, EVENT_LOG_KEY, 0, KEY_ALL_ACCESS, &application) == ERROR_SUCCESS);
        const char others[] = "OtherProgram\0AnotherProgram\0";
        REQUIRE(RegSetValueExA(application, "Sources", 0, REG_BINARY, reinterpret_cast<const BYTE*>(others),
                               sizeof others) == ERROR_SUCCESS);
        for (const char* action : {"-i", "-u"}) {
            int code = 0;
            RunToEnd("Inkbrid.exe", action, &code);
            REQUIRE(code == 1);
            char data[64] = {};
            DWORD type = 0, size = sizeof data;
            CHECK(RegQueryValueExA(application, "Sources", nullptr, &type, reinterpret_cast<BYTE*>(data), &size) ==
                  ERROR_SUCCESS);
            CHECK(type == REG_BINARY);
            CHECK(std::string(data, size) == std::string(others, sizeof others));
        }
        RegDeleteValueA(application, "Sources");
        RegCloseKey(application);
    }

    TEST_CASE("-i and -s together start without installing")
    {
        DeleteServiceDirectly("Stylora");
        int code = 0;
        std::string output = RunToEnd("Inkbrid.exe", "-i -s", &code);
        CHECK_FALSE(Contains(output, "installed."));
        CHECK(Contains(output, "OpenService failed - "));
        CHECK(code == 0);
    }

    TEST_CASE("error texts come whole, placeholders included, without their line break")
    {
        struct Case {
            DWORD error;
            const char* part;
        };
        // The second text names an argument that no caller supplies.
        const Case cases[] = {{ERROR_FILE_NOT_FOUND, ""}, {ERROR_BAD_EXE_FORMAT, "%1"}};
        IdleService shell;
        for (const Case& c : cases) {
            CAPTURE(c.error);
            char text[256];
            std::memset(text, 'x', sizeof text);
            SetLastError(c.error);
            shell.FormatError(text, sizeof text);
            const size_t length = std::strlen(text);
            REQUIRE(length > 0);
            CHECK(Contains(text, c.part));
            CHECK(text[length - 1] != '\n');
            CHECK(text[length - 1] != '\r');
        }
    }
}
