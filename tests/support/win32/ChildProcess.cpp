#include "ChildProcess.h"

#include <cstdio>
#include <cstring>

namespace {

std::vector<char> EnvironmentWith(const std::vector<std::string>& additions)
{
    std::vector<char> block;
    char* current = GetEnvironmentStringsA();
    for (const char* entry = current; entry != nullptr && *entry != '\0'; entry += std::strlen(entry) + 1)
        block.insert(block.end(), entry, entry + std::strlen(entry) + 1);
    FreeEnvironmentStringsA(current);
    for (const std::string& entry : additions)
        block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
    block.push_back('\0');
    return block;
}

}  // namespace

std::string PathNextToTest(const std::string& fileName)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH - 1);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + fileName;
}

ChildProcess::~ChildProcess()
{
    Kill();
    if (outputRead_ != nullptr)
        CloseHandle(outputRead_);
}

bool ChildProcess::Start(const std::string& program, const std::string& arguments,
                         const std::vector<std::string>& environment)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outputWrite = nullptr;
    if (!CreatePipe(&outputRead_, &outputWrite, &inherit, 0))
        return false;
    SetHandleInformation(outputRead_, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outputWrite;
    startup.hStdError = outputWrite;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info{};
    std::string path = PathNextToTest(program);
    std::string commandLine = "\"" + path + "\" " + arguments;
    std::vector<char> env = EnvironmentWith(environment);
    // A start refused on a loaded machine would show only as a window that
    // never comes: try again a moment later, and say why when it still fails.
    BOOL started = FALSE;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0)
            Sleep(250);
        started = CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, env.data(), nullptr,
                                 &startup, &info);
    }
    CloseHandle(outputWrite);
    if (!started) {
        std::fprintf(stderr, "could not start %s: error %lu\n", path.c_str(), GetLastError());
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    return true;
}

void ChildProcess::Drain()
{
    DWORD available = 0;
    while (outputRead_ != nullptr && PeekNamedPipe(outputRead_, nullptr, 0, nullptr, &available, nullptr) &&
           available > 0) {
        char buffer[4096];
        DWORD got = 0;
        if (!ReadFile(outputRead_, buffer, available < sizeof buffer ? available : sizeof buffer, &got, nullptr) ||
            got == 0)
            break;
        output_.append(buffer, got);
    }
}

int ChildProcess::Wait(DWORD timeoutMs)
{
    if (process_ == nullptr)
        return -1;
    for (DWORD waited = 0;; waited += 20) {
        Drain();
        if (WaitForSingleObject(process_, 20) == WAIT_OBJECT_0)
            break;
        if (waited >= timeoutMs)
            return -1;
    }
    Drain();
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    CloseHandle(process_);
    process_ = nullptr;
    return static_cast<int>(code);
}

std::string ChildProcess::Output()
{
    Drain();
    return output_;
}

void ChildProcess::Kill()
{
    if (process_ == nullptr)
        return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
    process_ = nullptr;
}

std::string RunToEnd(const std::string& program, const std::string& arguments, int* exitCode, DWORD timeoutMs)
{
    ChildProcess child;
    if (!child.Start(program, arguments)) {
        if (exitCode != nullptr)
            *exitCode = -2;
        return {};
    }
    int code = child.Wait(timeoutMs);
    if (exitCode != nullptr)
        *exitCode = code;
    return child.Output();
}
