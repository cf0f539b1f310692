// A program of the package started by a test: its output is collected and
// the process is ended with the test at the latest.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `program` (a file next to the test program) with `arguments`;
    // `environment` entries ("NAME=value") are added to the test's own.
    bool Start(const std::string& program, const std::string& arguments,
               const std::vector<std::string>& environment = {});
    // Waits for the end; returns the exit code, or -1 after the time-out.
    int Wait(DWORD timeoutMs);
    // Everything written to standard output and error so far (after Wait: all of it).
    std::string Output();
    DWORD ProcessId() const { return processId_; }
    HANDLE Process() const { return process_; }
    void Kill();

private:
    void Drain();

    HANDLE process_ = nullptr;
    HANDLE outputRead_ = nullptr;
    DWORD processId_ = 0;
    std::string output_;
};

// Full path of a file next to the running test program.
std::string PathNextToTest(const std::string& fileName);
// Runs a program to its end and returns its output (exit code through `exitCode`).
std::string RunToEnd(const std::string& program, const std::string& arguments, int* exitCode = nullptr,
                     DWORD timeoutMs = 60000);
// Polls `condition` every 20 ms for up to timeoutMs.
template <typename Condition> bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    for (DWORD waited = 0;; waited += 20) {
        if (condition())
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(20);
    }
}
