// The library form's virtual output writer against a pipe that stands in for
// the virtual HID device: a small buffer nobody reads makes writes wait.
#include "ScopedHandle.h"
#include "TestPipe.h"
#include "VirtualOutputWriter.h"

#include <doctest/doctest.h>

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

std::vector<uint8_t> Report(uint8_t number)
{
    std::vector<uint8_t> report(REPORT_LENGTH, 0);
    report[0] = 3;
    report[1] = number;
    return report;
}

}  // namespace

TEST_SUITE("virtual output writer")
{
    TEST_CASE("a write given up just as the device took it is taken back and the newer writes still arrive")
    {
        const std::string name = "\\\\.\\pipe\\inkbrid-virtual-output-" + std::to_string(GetCurrentProcessId());
        TestPipe device(name, 64);  // room for three reports
        REQUIRE(device.Create());
        ScopedHandle client(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OVERLAPPED, nullptr));
        REQUIRE(client);
        REQUIRE(device.WaitConnected(5000));
        g_device = &device;
        {
            VirtualOutputWriter writer(CancelAfterItCompleted);
            writer.Attach(client.Get());
            // Three fill the device, four stay in flight, the eighth gives up the oldest of those.
            for (uint8_t number = 1; number <= 8; ++number)
                writer.Write(Report(number).data(), REPORT_LENGTH);
            std::vector<uint8_t> arrived;
            std::vector<uint8_t> report;
            while (device.Receive(report, 500))
                arrived.push_back(report.size() == REPORT_LENGTH ? report[1] : 0);
            CHECK(arrived == std::vector<uint8_t>{2, 3, 4, 5, 6, 7, 8});
            writer.Attach(nullptr);
        }
        g_device = nullptr;
    }
}
