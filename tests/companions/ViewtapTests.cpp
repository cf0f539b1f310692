// The rotation watcher: its publishing against a fake service, the program
// answering display changes, and a published rectangle becoming the pen's
// mapped area in the library form.
#include "ChildProcess.h"
#include "FakeService.h"
#include "LibraryHostBench.h"
#include "ObjectNames.h"
#include "PenReportBuilder.h"
#include "RotationPublisher.h"
#include "ServiceCodes.h"
#include "TabletRecordBuilder.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

namespace {

const std::string D1 = "\\\\.\\DISPLAY1";
const std::string D2 = "\\\\.\\DISPLAY2";
constexpr uint16_t VID = 0x7A4B;
constexpr uint16_t PID = 0x5A22;

// An auto-reset event under the name the library form gives a device's mapping reload.
HANDLE CreateMappingReloadEvent()
{
    char name[objnames::NAME_BUFFER_SIZE];
    objnames::FormatReloadEventName(name, sizeof name, false, false, VID, PID);
    return CreateEventA(nullptr, FALSE, FALSE, name);
}

void SetMappedArea(KeyAreaSectionHead& keyArea, int32_t code, RECT32 area)
{
    keyArea.record.info.VID = VID;
    keyArea.record.info.PID = PID;
    keyArea.record.info.rotationCode = code;
    keyArea.record.mapping.screenArea = area;
}

bool SameArea(const RECT32& a, const RECT32& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The running watcher's hidden window.
HWND WatcherWindow()
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowW(L"QXVIEWTAP", L"QXViewtap")) != nullptr; }, 10000);
    return window;
}

void DisplayChanged(HWND window)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768), SMTO_NORMAL, 5000, &result);
}

uint16_t Word(const std::vector<uint8_t>& report, size_t at)
{
    return static_cast<uint16_t>(report[at] | (report[at + 1] << 8));
}

// x of the virtual report that a hover at the tablet's middle gives.
uint16_t HoverXAtMiddle(TestPipe& tablet, TestPipe& output, const TABLETINFO& model)
{
    const RawPenReport hover =
        penreport::Pen(penreport::HOVER, uint16_t(model.xMax / 2), uint16_t(model.yMax / 2), 0);
    REQUIRE(tablet.Send(std::vector<uint8_t>(hover.bytes, hover.bytes + hover.length)));
    std::vector<uint8_t> report;
    REQUIRE(output.Receive(report, 5000));
    REQUIRE(report.size() == 19);
    return Word(report, 3);
}

}  // namespace

TEST_SUITE("rotation watcher")
{
    TEST_CASE("a publish writes command 8, the code and the display's area before the pulse, then reloads the mapping")
    {
        FakeService service(FakeService::Form::Library);
        REQUIRE(service.Start());
        SetMappedArea(service.KeyArea(), 0, {0, 0, 65535, 65535});
        HANDLE reload = CreateMappingReloadEvent();
        REQUIRE(reload != nullptr);

        rotation::RotationWatch watch;
        watch.TargetName() = D2;
        const std::vector<rotation::AttachedDisplay> displays = {{D1, 0, 0, 1024, 768}, {D2, 1024, 0, 1024, 768}};
        REQUIRE(RotationPublisher::PublishDisplayRotation(768, watch, displays));
        REQUIRE(service.WaitForCommands(1, 5000));
        const RecordedCommand command = service.Commands()[0];
        CHECK(command.code == CMD_SET_ROTATION);
        CHECK(command.rotationCode == 768);
        CHECK(SameArea(command.screenArea, {32767, 0, 65535, 65535}));
        CHECK(WaitForSingleObject(reload, 5000) == WAIT_OBJECT_0);

        // No attached display: nothing written, nothing sent.
        CHECK_FALSE(RotationPublisher::PublishDisplayRotation(256, watch, {}));
        REQUIRE(service.Settle(5000));
        CHECK(service.Commands().size() == 1);
        CHECK(service.KeyArea().record.info.rotationCode == 768);
        CHECK(WaitForSingleObject(reload, 0) == WAIT_TIMEOUT);
        CloseHandle(reload);

        service.Stop();
    }

    TEST_CASE("without the service's sections nothing is published")
    {
        rotation::RotationWatch watch;
        watch.TargetName() = D1;
        CHECK_FALSE(RotationPublisher::PublishDisplayRotation(0, watch, {{D1, 0, 0, 1024, 768}}));
        rotation::MappedArea area;
        CHECK_FALSE(RotationPublisher::ReadKeyArea(watch, area));
    }

    TEST_CASE("the program answers display changes: a display found after none is published, an unchanged one not")
    {
        // Started before the service: no key area, so no display known yet.
        ChildProcess watcher;
        REQUIRE(watcher.Start("Viewtap.exe", ""));
        HWND window = WatcherWindow();
        REQUIRE(window != nullptr);
        CHECK_FALSE(IsWindowVisible(window));

        FakeService service(FakeService::Form::Library);
        REQUIRE(service.Start());
        SetMappedArea(service.KeyArea(), 512, {0, 0, 32767, 65535});
        DisplayChanged(window);
        REQUIRE(service.WaitForCommands(1, 5000));
        const RecordedCommand command = service.Commands()[0];
        CHECK(command.code == CMD_SET_ROTATION);
        CHECK(command.rotationCode == 0);  // Xvfb's one display is not turned
        CHECK(SameArea(command.screenArea, {0, 0, 65535, 65535}));

        DisplayChanged(window);
        REQUIRE(service.Settle(5000));
        CHECK(service.Commands().size() == 1);

        PostMessageW(window, WM_CLOSE, 0, 0);
        CHECK(watcher.Wait(10000) == 0);
        service.Stop();
    }

    TEST_CASE("a rotation published by the watcher becomes the pen's mapped area in the library form")
    {
        const TABLETINFO model = Model(VID, PID, 10, 0, 2);
        const std::vector<uint8_t> record = TabletRecordBuilder(model)
                                                .Monitors(1)
                                                .ScreenArea({0, 0, 32767, 65535})  // the left half of the desktop
                                                .TabletArea({0, 0, model.xMax, model.yMax})
                                                .Bytes();

        ChildProcess watcher;
        REQUIRE(watcher.Start("Viewtap.exe", ""));
        HWND window = WatcherWindow();
        REQUIRE(window != nullptr);

        LibraryHostBench bench;
        bench.WriteSupportedTable({model});
        bench.WriteSettingsFile("Tablet\\StyloraFind.ked", record.data(), record.size());
        TestPipe& output = bench.AddVirtualOutputDevice();
        TestPipe& tablet = bench.AddInterface(PenInterfaceOf(model));
        REQUIRE(bench.Start());
        REQUIRE(tablet.WaitConnected(10000));
        REQUIRE(bench.OpenSections());
        const RawPenReport tool = penreport::Tool(0x802);
        REQUIRE(tablet.Send(std::vector<uint8_t>(tool.bytes, tool.bytes + tool.length)));
        REQUIRE(WaitUntil([&] { return bench.Pen()->pen.toolId == 0x802; }, 5000));
        // Past the first touch's wait, which the library times from the identification itself.
        Sleep(250);

        const uint16_t before = HoverXAtMiddle(tablet, output, model);
        CHECK(before > 0x1000);
        CHECK(before < 0x3000);

        DisplayChanged(window);
        REQUIRE(WaitUntil([&] { return bench.KeyArea()->record.mapping.screenArea.right == 65535; }, 5000));
        // The read thread takes the new mapping between two reports.
        uint16_t after = before;
        for (int report = 0; report < 50 && after < 0x3000; ++report, Sleep(20))
            after = HoverXAtMiddle(tablet, output, model);
        CHECK(after > 0x3000);
        CHECK(after < 0x5000);
        bench.CloseSections();

        PostMessageW(window, WM_CLOSE, 0, 0);
        CHECK(watcher.Wait(10000) == 0);
        CHECK(bench.Exit());
        CHECK(bench.Unload() == 0);
    }
}
