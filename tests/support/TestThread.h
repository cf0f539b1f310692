// A second thread for a test: runs its body at once and is joined at the
// latest when it goes out of scope. The Windows test build has no
// std::thread (its runtime takes threads from Win32, as the programs do).
#pragma once

#include <functional>
#include <memory>

class TestThread {
public:
    explicit TestThread(std::function<void()> body);
    ~TestThread();
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;

    void Join();

private:
    struct Body;
    std::unique_ptr<Body> body_;
};
