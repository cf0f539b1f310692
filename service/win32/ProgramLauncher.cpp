#include "ProgramLauncher.h"

ProgramLauncher::ProgramLauncher(Starter starter) : shared_(std::make_shared<Shared>(std::move(starter))) {}

ProgramLauncher::~ProgramLauncher() { Stop(STOP_WAIT_MS); }

void ProgramLauncher::Launch(LaunchRequest request)
{
    CriticalSection::Hold hold(shared_->lock);
    if (shared_->queue.size() >= QUEUE_LIMIT)
        return;
    shared_->queue.push_back(std::move(request));
    if (shared_->running)
        return;
    auto* owner = new std::shared_ptr<Shared>(shared_);
    thread_.Reset(CreateThread(nullptr, 0, ThreadProc, owner, 0, nullptr));
    if (thread_) {
        shared_->running = true;
        return;
    }
    delete owner;
    shared_->queue.clear();  // nobody will start them
}

bool ProgramLauncher::Stop(DWORD waitMs)
{
    ScopedHandle thread;
    {
        CriticalSection::Hold hold(shared_->lock);
        shared_->queue.clear();
        thread = std::move(thread_);
    }
    return !thread || WaitForSingleObject(thread.Get(), waitMs) == WAIT_OBJECT_0;
}

DWORD WINAPI ProgramLauncher::ThreadProc(LPVOID owner)
{
    const std::unique_ptr<std::shared_ptr<Shared>> keep(static_cast<std::shared_ptr<Shared>*>(owner));
    Shared& shared = **keep;
    for (;;) {
        LaunchRequest next;
        {
            CriticalSection::Hold hold(shared.lock);
            if (shared.queue.empty()) {
                shared.running = false;
                return 0;
            }
            next = std::move(shared.queue.front());
            shared.queue.pop_front();
        }
        shared.starter(next);
    }
}
