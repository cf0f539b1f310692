// The core's lock in the Windows programs: a critical section.
#include "ThreadLock.h"

#include "CriticalSection.h"

struct ThreadLock::Body {
    CriticalSection section;
};

ThreadLock::ThreadLock() : body_(new Body) {}

ThreadLock::~ThreadLock() = default;

void ThreadLock::Acquire()
{
    body_->section.Enter();
}

void ThreadLock::Release()
{
    body_->section.Leave();
}
