// The library form's device search and read threads, driven in this process
// as the library's host drives them: its own stop event, unprefixed names,
// debug lines, the quit event and the virtual output device.
#include "CDataManage.h"
#include "ChildProcess.h"
#include "DeviceManager.h"
#include "ObjectNames.h"
#include "RecordingSystem.h"
#include "ReportEchoSink.h"
#include "ScriptedHidEnumerator.h"
#include "StdioFileSystem.h"
#include "TabletRecordBuilder.h"
#include "TempFolder.h"
#include "TestPipe.h"

#include <doctest/doctest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string PipeName(const char* role)
{
    static int serial = 0;
    return "\\\\.\\pipe\\inkbrid-library-" + std::to_string(GetCurrentProcessId()) + "-" + role + "-" +
           std::to_string(serial++);
}

bool HasLine(const RecordingSystem& system, const std::string& text)
{
    for (const SystemCall& call : system.Of(SystemCall::Debug))
        if (call.text == text)
            return true;
    return false;
}

// The library's state in plain memory, with scripted interfaces.
struct LibraryBench {
    TempFolder folder;
    RecordingSystem system;
    StdioFileSystem files;
    SecurityAttributes security;
    std::vector<uint8_t> keyArea = std::vector<uint8_t>(KEYAREA_SIZE_LIBRARY, 0);
    PenSection pen{};
    CDataManage ring;
    ServiceContext context;
    std::unique_ptr<SettingsFiles> settings;
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    TestPipe echo{PipeName("echo")};
    std::unique_ptr<DeviceManager> devices;

    // script: the device lines; the echo pipe watches the reports.
    explicit LibraryBench(const std::string& deviceLines)
    {
        system.recordDebug = true;
        system.programFiles = folder.Path();
        folder.WriteFile("hid-script.txt", std::vector<uint8_t>(deviceLines.begin(), deviceLines.end()));
        echo.Create();
        security.Init(BuildPolicy::Library().opensProcessToEveryone);
        context.policy = &BuildPolicy::Library();
        context.system = &system;
        context.files = &files;
        context.pen = &pen;
        context.keyArea = KeyAreaView{keyArea.data(), keyArea.size()};
        context.ring = &ring;
        settings = std::make_unique<SettingsFiles>(system, files, BuildPolicy::Library().files);
        HidSource source;
        source.enumerator = std::make_unique<ScriptedHidEnumerator>(folder.PathOf("hid-script.txt"));
        source.observer = std::make_unique<ReportEchoSink>(echo.Name());
        devices = std::make_unique<DeviceManager>(context, *settings, security, std::move(source));
        devices->SetStopEvent(stop);
    }
    ~LibraryBench()
    {
        devices.reset();
        CloseHandle(stop);
    }
    void Supported(const TABLETINFO& model)
    {
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&model);
        folder.WriteFile("Tablet\\StyloraInfo.ked", std::vector<uint8_t>(bytes, bytes + sizeof model));
    }
};

std::string DeviceLine(const std::string& pipe, const char* rest) { return "device " + pipe + " " + rest + "\n"; }

}  // namespace

TEST_SUITE("library form devices")
{
    TEST_CASE("read threads use unprefixed reload events and end on the quit event, letting go but not removed")
    {
        const std::string tabletPipe = PipeName("tablet");
        TestPipe tablet(tabletPipe);
        REQUIRE(tablet.Create());
        LibraryBench bench(DeviceLine(tabletPipe, "0x7A4B 0x5A24 0x0D 0x02 10 0"));
        bench.Supported(TabletRecordBuilder(0x7A4B, 0x5A24).PenReport(10).Keys(2).Model());

        bench.devices->FindDevices();
        REQUIRE(tablet.WaitConnected(5000));
        CHECK(HasLine(bench.system, "FindDevices\n"));
        CHECK(HasLine(bench.system, "instance = 1, found = 1\n"));
        CHECK(bench.context.keyArea.head()->record.info.PID == 0x5A24);
        // The callers set the pen buttons in this form.
        CHECK(bench.pen.pen.penButton[0].actionCode == 0);

        char name[objnames::NAME_BUFFER_SIZE];
        objnames::FormatReloadEventName(name, sizeof name, false, false, 0x7A4B, 0x5A24);
        HANDLE unprefixed = nullptr;
        CHECK(WaitUntil([&] { return (unprefixed = OpenEventA(SYNCHRONIZE, FALSE, name)) != nullptr; }, 5000));
        CloseHandle(unprefixed);
        objnames::FormatReloadEventName(name, sizeof name, true, false, 0x7A4B, 0x5A24);
        CHECK(OpenEventA(SYNCHRONIZE, FALSE, name) == nullptr);

        REQUIRE(tablet.Send(std::vector<uint8_t>(10, 2)));
        std::vector<uint8_t> message;
        REQUIRE(bench.echo.Receive(message, 5000));

        HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, objnames::READ_THREAD_QUIT_EVENT);
        REQUIRE(quit != nullptr);
        SetEvent(quit);
        CHECK(WaitUntil([&] { return tablet.ReleasedByService(); }, 5000));
        ResetEvent(quit);
        CloseHandle(quit);
        // The thread's end reaches the sink, which lets go of what the tablet
        // held; but quitting is no unplug: the key area keeps the record.
        REQUIRE(bench.echo.Receive(message, 5000));
        REQUIRE(message.size() == sizeof(ReportEcho));
        CHECK(reinterpret_cast<const ReportEcho*>(message.data())->kind == static_cast<uint32_t>(EchoKind::Removed));
        CHECK(bench.context.keyArea.head()->record.info.PID == 0x5A24);
    }

    TEST_CASE("the virtual output device is the first interface of its VID, PID and output length")
    {
        const std::string tabletPipe = PipeName("tablet");
        const std::string wrongPipe = PipeName("wrong-length");
        const std::string outputPipe = PipeName("output");
        TestPipe tablet(tabletPipe), wrong(wrongPipe), output(outputPipe);
        REQUIRE(tablet.Create());
        REQUIRE(wrong.Create());
        REQUIRE(output.Create());
        LibraryBench bench(DeviceLine(tabletPipe, "0x7A4B 0x5A24 0x0D 0x02 10 0") +
                           DeviceLine(wrongPipe, "0x3C5E 0x4E19 0xFF00 0x01 0 20") +
                           DeviceLine(outputPipe, "0x3C5E 0x4E19 0xFF00 0x01 0 19"));
        ScopedHandle device = bench.devices->FindVirtualHidDevice();
        CHECK(static_cast<bool>(device));
        CHECK(output.WaitConnected(0));
        CHECK_FALSE(output.ReleasedByService());
        CHECK(tablet.ReleasedByService());
        CHECK(wrong.ReleasedByService());
        device.Reset();
        CHECK(output.ReleasedByService());
    }
}
