// The core's lock in the native tree.
#include "ThreadLock.h"

#include <mutex>

struct ThreadLock::Body {
    std::mutex mutex;
};

ThreadLock::ThreadLock() : body_(new Body) {}

ThreadLock::~ThreadLock() = default;

void ThreadLock::Acquire()
{
    body_->mutex.lock();
}

void ThreadLock::Release()
{
    body_->mutex.unlock();
}
