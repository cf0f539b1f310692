// The device service running with scripted tablets: a supported-device
// table in its settings folder, one pipe per scripted HID interface, and the
// echo pipe that shows what reached its report sink.
#pragma once

#include "ReportEchoSink.h"
#include "RunningService.h"
#include "SectionView.h"
#include "SharedSections.h"
#include "TestPipe.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

struct ScriptedHid {
    std::string vid;  // "-": the attribute query fails
    std::string pid;
    std::string usagePage;  // "-": the capability query fails
    std::string usage;
    int inputLength;
    int outputLength;
};

// A model of the supported-device table.
TABLETINFO Model(uint16_t vid, uint16_t pid, uint16_t penLength, uint16_t keyLength, int32_t keyCount);
// A pen interface of that model as HID reports it.
ScriptedHid PenInterfaceOf(const TABLETINFO& model);
// The scripted enumerator's line for an interface served on `pipeName`.
std::string ScriptLineOf(const std::string& pipeName, const ScriptedHid& hid);

class TabletBench {
public:
    explicit TabletBench(const std::string& program = "Inkbrid.exe");

    void WriteSupportedTable(const std::vector<TABLETINFO>& models);
    void WriteSettingsFile(const std::string& relative, const void* bytes, size_t size);
    // Adds an interface to the script; its pipe exists at once unless `plugged` is false.
    TestPipe& AddInterface(const ScriptedHid& hid, bool plugged = true);
    // Creates the pipe of an interface added unplugged.
    bool Plug(TestPipe& pipe);

    bool Start();
    // The usual start of a test with one tablet: the table holds `model`, the
    // device file `record` (none when empty), the service runs and reads it.
    // Null when any step failed.
    TestPipe* StartWithTablet(const TABLETINFO& model, const std::vector<uint8_t>& record = {});
    int Stop() { return service_.Stop(); }
    // Runs a search as a device arrival does; returns when it is over.
    bool SignalDeviceArrival();

    // The next thing that reached the report sink, within the time-out.
    bool NextEcho(ReportEcho& echo, DWORD timeoutMs = 5000);

    RunningService& Service() { return service_; }
    KeyAreaSectionHead* KeyArea() { return keyArea_.As<KeyAreaSectionHead>(); }
    uint8_t* KeyAreaBytes() { return keyArea_.Bytes(); }
    PenSection* Pen() { return pen_.As<PenSection>(); }
    int TimeCriticalThreads() const;
    // Waits until the service has exactly `count` time-critical threads.
    bool WaitForReadThreads(int count, DWORD timeoutMs = 10000) const;

private:
    std::string NewPipeName();
    void WriteScript();

    int serial_ = 0;
    std::vector<std::string> lines_;
    std::vector<std::unique_ptr<TestPipe>> pipes_;
    TestPipe echo_;
    SectionView keyArea_;
    SectionView pen_;
    // Last: the service stops before the tablets and the echo pipe go away.
    RunningService service_;
};

// The reload event of a device as the panel opens it (the service program's names).
HANDLE OpenReloadEvent(uint16_t vid, uint16_t pid, bool keyboard);
// Where the whole-desktop mapping of the desk model (ScriptedReports.h) puts
// tablet (x, y), in screen pixels.
POINT DeskPixelOf(int x, int y);
// The same on a desktop of a known size.
POINT DeskPixelOf(int x, int y, SIZE desktop);
// A pen report of `length` bytes: report id 2, then `fill`.
std::vector<uint8_t> PenReport(size_t length, uint8_t fill);
