// The command line of the service program, parsed in-process against a
// service whose actions only record that they were chosen.
#include "CNTService.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {

class RecordingService : public CNTService {
public:
    RecordingService() : CNTService("RecordingService", nullptr) {}

    std::string chosen;

    BOOL Run(int, char**, HANDLE*) override { return TRUE; }
    void OnStop() override {}
    BOOL StartDispatcher() override { return Choose("dispatcher"); }
    BOOL Install() override { return Choose("install"); }
    BOOL Uninstall() override { return Choose("uninstall"); }
    BOOL StopInstalledService() override { return Choose("stop"); }
    BOOL StartInstalledService() override { return Choose("start"); }
    BOOL DebugService(int, char**, BOOL withConsole) override
    {
        return Choose(withConsole ? "debug console" : "debug quiet");
    }

protected:
    BOOL InitService() override { return TRUE; }

private:
    BOOL Choose(const char* action)
    {
        chosen = action;
        return TRUE;
    }
};

struct ParseResult {
    std::string action;
    std::string account;
    std::string password;
    bool foreground;
};

ParseResult Parse(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "Inkbrid.exe");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(&argument[0]);
    RecordingService service;
    service.ParseStandardArgs(static_cast<int>(argv.size()), argv.data());
    return {service.chosen, service.Account(), service.Password(), service.IsForeground()};
}

}  // namespace

TEST_SUITE("service command line")
{
    TEST_CASE("the last action option wins and unknown options are ignored")
    {
        struct Row { std::vector<std::string> args; const char* action; };
        const Row rows[] = {
            {{}, "dispatcher"},
            {{"-i"}, "install"},
            {{"-i", "-s"}, "start"},
            {{"-s", "-i"}, "install"},
            {{"-u", "-x", "plain"}, "uninstall"},
            {{"-e"}, "stop"},
            {{"install"}, "dispatcher"},
        };
        for (const Row& row : rows) {
            CAPTURE(row.action);
            CHECK(Parse(row.args).action == row.action);
        }
    }

    TEST_CASE("-d and -f end the walk at once and run in the foreground")
    {
        ParseResult debug = Parse({"-d", "-i"});
        CHECK(debug.action == "debug console");
        CHECK(debug.foreground);
        ParseResult quiet = Parse({"-s", "-f", "-i"});
        CHECK(quiet.action == "debug quiet");
        ParseResult before = Parse({"-i"});
        CHECK_FALSE(before.foreground);
    }

    TEST_CASE("account and password glued to the option or as the next argument")
    {
        ParseResult glued = Parse({"-lDOMAIN\\user", "-psecret", "-i"});
        CHECK(glued.account == "DOMAIN\\user");
        CHECK(glued.password == "secret");
        CHECK(glued.action == "install");

        ParseResult separate = Parse({"-l", "user", "-p", "-i"});
        CHECK(separate.account == "user");
        // The next argument is taken as the password even when it looks like an option.
        CHECK(separate.password == "-i");
        CHECK(separate.action == "dispatcher");
    }
}
