// The test's end of a named pipe in message mode: a scripted tablet whose
// reports the service reads, or the echo pipe the service writes to.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class TestPipe {
public:
    // bufferSize: the pipe's buffer each way; a writer that finds it full waits.
    explicit TestPipe(std::string name, DWORD bufferSize = 4096) : name_(std::move(name)), bufferSize_(bufferSize) {}
    ~TestPipe() { Close(); }
    TestPipe(const TestPipe&) = delete;
    TestPipe& operator=(const TestPipe&) = delete;

    // One instance only, so a second open by the service fails like a held
    // HID interface. Starts waiting for the service to connect.
    bool Create();
    bool WaitConnected(DWORD timeoutMs);
    // The service connected and has closed its end again.
    bool ReleasedByService();
    bool Send(const std::vector<uint8_t>& message);
    bool Receive(std::vector<uint8_t>& message, DWORD timeoutMs);
    // Closing the test's end is how a tablet is unplugged.
    void Close();
    const std::string& Name() const { return name_; }

private:
    bool Finish(BOOL started, DWORD timeoutMs, DWORD* transferred);

    std::string name_;
    DWORD bufferSize_;
    HANDLE pipe_ = INVALID_HANDLE_VALUE;
    HANDLE event_ = nullptr;
    OVERLAPPED overlapped_{};
    bool connected_ = false;
};
