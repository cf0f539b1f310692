// A stand-in for the device service as the tablet-interface library meets
// it: the three sections, the command event (unnamed with its handle and
// process id in the connection section, or named as the library form does),
// and the ring lock. A thread waits for commands like the command loop and
// records each with the fields it read.
#pragma once

#include "CriticalSection.h"
#include "SharedSections.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

struct RecordedCommand {
    int32_t code;
    int32_t contextId;
    uint32_t window;
    uint32_t options;
    uint32_t status;
    // The key area's rotation code and mapped screen area when the command came.
    int32_t rotationCode = 0;
    RECT32 screenArea{};
};

class FakeService {
public:
    enum class Form {
        ServiceProgram,  // "Global\" sections, unnamed command event
        Library,         // unprefixed sections, named command event
    };

    // Without the connection section: a service that has not made it.
    explicit FakeService(Form form = Form::ServiceProgram, bool withConnection = true);
    ~FakeService();
    FakeService(const FakeService&) = delete;
    FakeService& operator=(const FakeService&) = delete;

    // Creates everything and returns once the command thread is waiting.
    bool Start();
    void Stop();

    std::vector<RecordedCommand> Commands() const;
    // Waits until at least `count` commands arrived; false after the time-out.
    bool WaitForCommands(size_t count, DWORD timeoutMs) const;
    // Returns true once every command pulsed before the call is recorded and
    // the command thread is waiting again; for a test that a client sent
    // nothing more. Clients must be quiet meanwhile.
    bool Settle(DWORD timeoutMs);

    // Appends a packet as the service's writer does: under the ring lock,
    // dropping the oldest unread packet when the ring is full.
    void PutPacket(const RINGPACKET& packet);
    bool HoldRingLock(DWORD timeoutMs);
    void ReleaseRingLock();

    ConnectionSection& Connection() const;
    KeyAreaSectionHead& KeyArea() const;
    TABLETINFO& Tablet() const;

private:
    struct Objects;
    // What the test asks of the command thread when it sets the command event itself.
    enum class Request { None, Settle, Stop };

    static DWORD WINAPI CommandThread(void* self);
    void CommandLoop();
    void Record();

    Form form_;
    bool withConnection_;
    std::unique_ptr<Objects> objects_;
    std::atomic<Request> request_{Request::None};
    mutable CriticalSection commandsMutex_;
    std::vector<RecordedCommand> commands_;
};
