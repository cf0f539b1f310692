// A critical section and its scoped holder: the lock of the Windows programs
// (their runtime carries no posix-threads layer, which Windows XP cannot load).
#pragma once

#include <windows.h>

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&section_); }
    void Leave() { LeaveCriticalSection(&section_); }

    class Hold {
    public:
        explicit Hold(CriticalSection& owner) : owner_(owner) { owner_.Enter(); }
        ~Hold() { owner_.Leave(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        CriticalSection& owner_;
    };

private:
    CRITICAL_SECTION section_;
};
