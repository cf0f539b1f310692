#include "ConsoleUserLauncher.h"

#include "LaunchCommandLine.h"
#include "RegistryKey.h"
#include "SystemLibrary.h"

#include <vector>

namespace {

constexpr DWORD NO_CONSOLE_SESSION = 0xFFFFFFFF;
constexpr DWORD COMMAND_SIZE = 2048;

using QueryUserTokenProc = BOOL(WINAPI*)(ULONG, PHANDLE);
using CreateEnvironmentBlockProc = BOOL(WINAPI*)(LPVOID*, HANDLE, BOOL);
using DestroyEnvironmentBlockProc = BOOL(WINAPI*)(LPVOID);
using ExpandForUserProc = BOOL(WINAPI*)(HANDLE, LPCSTR, LPSTR, DWORD);

// The user's environment block, and the expansion of text by it.
class UserEnvironment {
public:
    explicit UserEnvironment(HANDLE token) : token_(token)
    {
        auto create = userenv_.Find<CreateEnvironmentBlockProc>("CreateEnvironmentBlock");
        if (create != nullptr && !create(&block_, token, FALSE))
            block_ = nullptr;
    }
    ~UserEnvironment()
    {
        auto destroy = userenv_.Find<DestroyEnvironmentBlockProc>("DestroyEnvironmentBlock");
        if (block_ != nullptr && destroy != nullptr)
            destroy(block_);
    }
    UserEnvironment(const UserEnvironment&) = delete;
    UserEnvironment& operator=(const UserEnvironment&) = delete;

    LPVOID Block() const { return block_; }
    std::string Expand(const std::string& text) const
    {
        auto expand = userenv_.Find<ExpandForUserProc>("ExpandEnvironmentStringsForUserA");
        char expanded[COMMAND_SIZE];
        if (expand == nullptr || !expand(token_, text.c_str(), expanded, sizeof expanded))
            return text;
        return expanded;
    }

private:
    SystemLibrary userenv_{"userenv.dll"};
    HANDLE token_;
    LPVOID block_ = nullptr;
};

// The default value of a key below root, with its type.
std::string DefaultValue(HKEY root, const std::string& subKey, DWORD& type)
{
    RegistryKey key;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, key.Out()) != ERROR_SUCCESS)
        return {};
    char value[COMMAND_SIZE] = {};
    DWORD size = sizeof value - 1;
    if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    return value;
}

// The open command of the file type of extension, as the user's classes name
// it (the machine's when the user's cannot be opened); empty when none.
std::string OpenCommandOf(const std::string& extension, HANDLE token, const UserEnvironment& environment)
{
    if (extension.empty())
        return {};
    RegistryKey userClasses;
    const bool own = RegOpenUserClassesRoot(token, 0, KEY_READ, userClasses.Out()) == ERROR_SUCCESS;
    const HKEY classes = own ? userClasses.Get() : HKEY_CLASSES_ROOT;
    DWORD type = REG_SZ;
    const std::string fileType = DefaultValue(classes, extension, type);
    if (fileType.empty())
        return {};
    const std::string command = DefaultValue(classes, fileType + "\\shell\\open\\command", type);
    return type == REG_EXPAND_SZ ? environment.Expand(command) : command;
}

}  // namespace

ScopedHandle ConsoleUserToken()
{
    const DWORD session = WTSGetActiveConsoleSessionId();
    if (session == NO_CONSOLE_SESSION)
        return {};
    const SystemLibrary wtsapi("wtsapi32.dll");
    auto query = wtsapi.Find<QueryUserTokenProc>("WTSQueryUserToken");
    HANDLE token = nullptr;
    if (query == nullptr || !query(session, &token))
        return {};
    return ScopedHandle(token);
}

bool ConsoleUserLauncher::Start(const std::string& file, const std::string& parameters) const
{
    const ScopedHandle token = tokens_();
    if (!token)
        return false;
    // Never the service's own environment: without the user's, nothing starts.
    const UserEnvironment environment(token.Get());
    if (environment.Block() == nullptr)
        return false;
    std::string commandLine;
    if (LaunchCommandLine::IsProgram(file)) {
        commandLine = LaunchCommandLine::ForProgram(file, parameters);
    } else {
        const std::string command = OpenCommandOf(LaunchCommandLine::Extension(file), token.Get(), environment);
        if (command.empty())
            return false;
        commandLine = LaunchCommandLine::FromOpenCommand(command, file, parameters);
    }
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    char desktop[] = "winsta0\\default";  // the user's interactive desktop
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktop;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (!CreateProcessAsUserA(token.Get(), nullptr, line.data(), nullptr, nullptr, FALSE,
                              CREATE_NEW_CONSOLE | CREATE_UNICODE_ENVIRONMENT, environment.Block(), nullptr,
                              &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
