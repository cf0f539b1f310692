// A lock between the threads of one process, for the portable core's own
// shared state. This header needs no platform header, so the portable core
// may include it; each tree builds one body: a Win32 critical section in the
// Windows programs (ThreadLock.cpp), std::mutex natively (native/ThreadLock.cpp).
#pragma once

#include <memory>

class ThreadLock {
public:
    ThreadLock();
    ~ThreadLock();
    ThreadLock(const ThreadLock&) = delete;
    ThreadLock& operator=(const ThreadLock&) = delete;

    void Acquire();
    void Release();

    // Holds the lock for a scope.
    class Hold {
    public:
        explicit Hold(ThreadLock& lock) : lock_(lock) { lock_.Acquire(); }
        ~Hold() { lock_.Release(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        ThreadLock& lock_;
    };

private:
    struct Body;
    std::unique_ptr<Body> body_;
};
