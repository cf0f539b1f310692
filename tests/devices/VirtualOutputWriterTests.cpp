// The library form's virtual output writer against a pipe that stands in for
// the virtual HID device: a small buffer nobody reads makes writes wait.
#include "CriticalSection.h"
#include "ScopedHandle.h"
#include "TestPipe.h"
#include "TestThread.h"
#include "VirtualOutputWriter.h"

#include <doctest/doctest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr size_t REPORT_LENGTH = 19;
TestPipe* g_device = nullptr;

// Stands for a cancel that comes just too late: the device takes a report,
// which completes the oldest write, and the cancel finds nothing left.
BOOL WINAPI CancelAfterItCompleted(HANDLE, LPOVERLAPPED oldest)
{
    std::vector<uint8_t> taken;
    if (g_device != nullptr && g_device->Receive(taken, 5000))
        WaitForSingleObject(oldest->hEvent, 5000);
    g_device = nullptr;  // once
    SetLastError(ERROR_NOT_FOUND);
    return FALSE;
}

// Stands for a device that never ends a write it is told to cancel.
BOOL WINAPI CancelNothing(HANDLE, LPOVERLAPPED) { return TRUE; }

std::vector<uint8_t> Report(uint8_t number)
{
    std::vector<uint8_t> report(REPORT_LENGTH, 0);
    report[0] = 3;
    report[1] = number;
    return report;
}

// The number of every report the device holds, in order.
std::vector<uint8_t> Drain(TestPipe& device)
{
    std::vector<uint8_t> arrived;
    std::vector<uint8_t> report;
    while (device.Receive(report, 300))
        arrived.push_back(report.size() == REPORT_LENGTH ? report[1] : 0);
    return arrived;
}

// A named pipe with room for three reports, nobody reading till the test
// does, opened as the writer's device; the test and its watchdog read it in turn.
struct StalledDevice {
    std::string name = "\\\\.\\pipe\\inkbrid-stalled-output-" + std::to_string(GetCurrentProcessId());
    TestPipe pipe{name, 64};
    ScopedHandle client;
    CriticalSection reading;

    std::vector<uint8_t> Drain()
    {
        CriticalSection::Hold hold(reading);
        return ::Drain(pipe);
    }

    bool Open()
    {
        if (!pipe.Create())
            return false;
        client.Reset(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OVERLAPPED, nullptr));
        return client && pipe.WaitConnected(5000);
    }
};

}  // namespace

TEST_SUITE("virtual output writer")
{
    TEST_CASE("a write given up just as the device took it is taken back and the newer writes still arrive")
    {
        StalledDevice device;
        REQUIRE(device.Open());
        g_device = &device.pipe;
        {
            VirtualOutputWriter writer(CancelAfterItCompleted);
            writer.Attach(device.client.Get());
            // Three fill the device, four stay in flight, the eighth gives up the oldest of those.
            for (uint8_t number = 1; number <= 8; ++number)
                writer.Write(Report(number).data(), REPORT_LENGTH);
            CHECK(device.Drain() == std::vector<uint8_t>{2, 3, 4, 5, 6, 7, 8});
            writer.Attach(nullptr);
        }
        g_device = nullptr;
    }

    TEST_CASE("a device that ends neither writes nor cancels delays a report briefly and keeps the buffers it may fill")
    {
        StalledDevice device;
        REQUIRE(device.Open());
        // Should a wait on the device have no end, the device is read after a
        // while, which ends it: the test then fails instead of hanging.
        ScopedHandle finished(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        std::atomic<bool> stuck{false};
        TestThread watchdog([&] {
            while (WaitForSingleObject(finished.Get(), 3000) == WAIT_TIMEOUT) {
                stuck = true;
                device.Drain();
            }
        });
        auto writer = std::make_unique<VirtualOutputWriter>(CancelNothing);
        writer->Attach(device.client.Get());
        // Three fill the device and four stay in flight; the eighth gives up
        // the oldest in vain and is dropped; this thread's three others are
        // given up in vain as it ends; with every buffer set aside the ninth
        // is dropped at once.
        for (uint8_t number = 1; number <= 8; ++number)
            writer->Write(Report(number).data(), REPORT_LENGTH);
        writer->FinishThreadWrites(100);
        writer->Write(Report(9).data(), REPORT_LENGTH);
        const std::vector<uint8_t> firstRound = device.Drain();
        // Once over, the buffers set aside serve again; the writer goes away
        // with four writes in flight and leaves their buffers to the device.
        for (uint8_t number = 10; number <= 17; ++number)
            writer->Write(Report(number).data(), REPORT_LENGTH);
        writer.reset();
        SetEvent(finished.Get());
        watchdog.Join();
        CHECK_FALSE(stuck);
        CHECK(firstRound == std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7});
        CHECK(device.Drain() == std::vector<uint8_t>{10, 11, 12, 13, 14, 15, 16});
    }
}
