#include "TestPipe.h"

bool TestPipe::Create()
{
    Close();
    event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    pipe_ = CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                             PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, bufferSize_, bufferSize_, 0,
                             nullptr);
    if (pipe_ == INVALID_HANDLE_VALUE || event_ == nullptr)
        return false;
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = event_;
    if (ConnectNamedPipe(pipe_, &overlapped_))
        connected_ = true;
    else if (GetLastError() == ERROR_PIPE_CONNECTED)
        connected_ = true;
    else if (GetLastError() != ERROR_IO_PENDING)
        return false;
    return true;
}

bool TestPipe::WaitConnected(DWORD timeoutMs)
{
    if (connected_)
        return true;
    if (pipe_ == INVALID_HANDLE_VALUE || WaitForSingleObject(event_, timeoutMs) != WAIT_OBJECT_0)
        return false;
    DWORD ignored = 0;
    connected_ = GetOverlappedResult(pipe_, &overlapped_, &ignored, FALSE) != FALSE;
    return connected_;
}

bool TestPipe::ReleasedByService()
{
    if (!WaitConnected(0))
        return false;
    DWORD available = 0;
    return !PeekNamedPipe(pipe_, nullptr, 0, nullptr, &available, nullptr) && GetLastError() == ERROR_BROKEN_PIPE;
}

bool TestPipe::Finish(BOOL started, DWORD timeoutMs, DWORD* transferred)
{
    if (!started && GetLastError() != ERROR_IO_PENDING)
        return false;
    if (WaitForSingleObject(event_, timeoutMs) != WAIT_OBJECT_0) {
        CancelIo(pipe_);
        GetOverlappedResult(pipe_, &overlapped_, transferred, TRUE);
        return false;
    }
    return GetOverlappedResult(pipe_, &overlapped_, transferred, FALSE) != FALSE;
}

bool TestPipe::Send(const std::vector<uint8_t>& message)
{
    if (!WaitConnected(0))
        return false;
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = event_;
    DWORD written = 0;
    BOOL started = WriteFile(pipe_, message.data(), static_cast<DWORD>(message.size()), nullptr, &overlapped_);
    return Finish(started, 5000, &written) && written == message.size();
}

bool TestPipe::Receive(std::vector<uint8_t>& message, DWORD timeoutMs)
{
    if (!WaitConnected(timeoutMs))
        return false;
    message.assign(4096, 0);
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = event_;
    DWORD got = 0;
    BOOL started = ReadFile(pipe_, message.data(), static_cast<DWORD>(message.size()), nullptr, &overlapped_);
    if (!Finish(started, timeoutMs, &got))
        return false;
    message.resize(got);
    return true;
}

void TestPipe::Close()
{
    if (pipe_ != INVALID_HANDLE_VALUE) {
        CancelIo(pipe_);
        CloseHandle(pipe_);
    }
    if (event_ != nullptr)
        CloseHandle(event_);
    pipe_ = INVALID_HANDLE_VALUE;
    event_ = nullptr;
    connected_ = false;
}
