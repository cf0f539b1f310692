#include "TestThread.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#include <cstdlib>

struct TestThread::Body {
    std::function<void()> run;
    HANDLE handle = nullptr;

    static DWORD WINAPI Start(LPVOID self)
    {
        static_cast<Body*>(self)->run();
        return 0;
    }
};

TestThread::TestThread(std::function<void()> body) : body_(new Body)
{
    body_->run = std::move(body);
    body_->handle = CreateThread(nullptr, 0, &Body::Start, body_.get(), 0, nullptr);
    if (body_->handle == nullptr) {
        // A test that needs two threads cannot run on one (its wait would never end).
        std::fprintf(stderr, "TestThread: CreateThread failed (%lu)\n", GetLastError());
        std::abort();
    }
}

void TestThread::Join()
{
    if (body_->handle == nullptr)
        return;
    WaitForSingleObject(body_->handle, INFINITE);
    CloseHandle(body_->handle);
    body_->handle = nullptr;
}
#else
#include <thread>

struct TestThread::Body {
    std::thread thread;
};

TestThread::TestThread(std::function<void()> body) : body_(new Body)
{
    body_->thread = std::thread(std::move(body));
}

void TestThread::Join()
{
    if (body_->thread.joinable())
        body_->thread.join();
}
#endif

TestThread::~TestThread()
{
    Join();
}
