#include "TabletBench.h"

#include "ScriptedReports.h"

#include "ChildProcess.h"
#include "ObjectNames.h"
#include "ScriptedHidEnumerator.h"
#include "TabletRecordBuilder.h"

#include <dbt.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

namespace {

std::string Hex(uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

HWND FindFacelessWindow()
{
    HWND window = FindWindowA("ZQV__FacelessWndProc_", nullptr);
    return window != nullptr ? window : FindWindowExA(HWND_MESSAGE, nullptr, "ZQV__FacelessWndProc_", nullptr);
}

}  // namespace

TABLETINFO Model(uint16_t vid, uint16_t pid, uint16_t penLength, uint16_t keyLength, int32_t keyCount)
{
    return TabletRecordBuilder(vid, pid)
        .PenReport(penLength)
        .KeyReport(keyLength)
        .Extent(20000 + pid % 16, 15000)
        .Pressure(2047)
        .Keys(keyCount)
        .Model();
}

ScriptedHid PenInterfaceOf(const TABLETINFO& model)
{
    return ScriptedHid{Hex(model.VID), Hex(model.PID), "0x0D", "0x02", model.InputReportByteLength_Pen, 0};
}

std::string ScriptLineOf(const std::string& pipeName, const ScriptedHid& hid)
{
    return "device " + pipeName + " " + hid.vid + " " + hid.pid + " " + hid.usagePage + " " + hid.usage + " " +
           std::to_string(hid.inputLength) + " " + std::to_string(hid.outputLength);
}

HANDLE OpenReloadEvent(uint16_t vid, uint16_t pid, bool keyboard)
{
    char name[objnames::NAME_BUFFER_SIZE];
    objnames::FormatReloadEventName(name, sizeof name, true, keyboard, vid, pid);
    return OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name);
}

std::vector<uint8_t> PenReport(size_t length, uint8_t fill)
{
    std::vector<uint8_t> report(length, fill);
    report[0] = 2;
    return report;
}

TabletBench::TabletBench(const std::string& program)
    : echo_(NewPipeName()), service_(program)
{
}

std::string TabletBench::NewPipeName()
{
    return "\\\\.\\pipe\\inkbrid-test-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount()) + "-" + std::to_string(serial_++);
}

void TabletBench::WriteSupportedTable(const std::vector<TABLETINFO>& models)
{
    WriteSettingsFile("Tablet\\StyloraInfo.ked", models.data(), models.size() * sizeof(TABLETINFO));
}

void TabletBench::WriteSettingsFile(const std::string& relative, const void* bytes, size_t size)
{
    const uint8_t* begin = static_cast<const uint8_t*>(bytes);
    service_.Settings().WriteFile(relative, std::vector<uint8_t>(begin, begin + size));
}

TestPipe& TabletBench::AddInterface(const ScriptedHid& hid, bool plugged)
{
    auto pipe = std::make_unique<TestPipe>(NewPipeName());
    if (plugged)
        pipe->Create();
    lines_.push_back(ScriptLineOf(pipe->Name(), hid));
    pipes_.push_back(std::move(pipe));
    WriteScript();
    return *pipes_.back();
}

bool TabletBench::Plug(TestPipe& pipe) { return pipe.Create(); }

TestPipe* TabletBench::StartWithTablet(const TABLETINFO& model, const std::vector<uint8_t>& record)
{
    WriteSupportedTable({model});
    if (!record.empty())
        WriteSettingsFile("Tablet\\StyloraFind.ked", record.data(), record.size());
    TestPipe& tablet = AddInterface(PenInterfaceOf(model));
    if (!Start() || !WaitForReadThreads(1) || !tablet.WaitConnected(5000))
        return nullptr;
    return &tablet;
}

void TabletBench::WriteScript()
{
    std::string script = "echo " + echo_.Name() + "\n";
    for (const std::string& line : lines_)
        script += line + "\n";
    WriteSettingsFile("hid-script.txt", script.data(), script.size());
}

bool TabletBench::Start()
{
    WriteScript();
    if (!echo_.Create())
        return false;
    service_.AddEnvironment(std::string(TEST_HID_SCRIPT_VARIABLE) + "=" + service_.Settings().PathOf("hid-script.txt"));
    if (!service_.Start())
        return false;
    return keyArea_.Open(service_.SectionName(objnames::KEY_AREA_SECTION)) &&
           pen_.Open(service_.SectionName(objnames::PEN_SECTION));
}

bool TabletBench::SignalDeviceArrival()
{
    HWND window = FindFacelessWindow();
    if (window == nullptr)
        return false;
    DEV_BROADCAST_DEVICEINTERFACE_A broadcast{};
    broadcast.dbcc_size = sizeof broadcast;
    broadcast.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    DWORD_PTR result = 0;
    // Sent, not posted: the call returns once the search is over.
    return SendMessageTimeoutA(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&broadcast),
                               SMTO_NORMAL, 20000, &result) != 0;
}

bool TabletBench::NextEcho(ReportEcho& echo, DWORD timeoutMs)
{
    std::vector<uint8_t> message;
    if (!echo_.Receive(message, timeoutMs) || message.size() != sizeof echo)
        return false;
    std::memcpy(&echo, message.data(), sizeof echo);
    return true;
}

int TabletBench::TimeCriticalThreads() const
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != service_.ProcessId())
            continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (thread == nullptr)
            continue;
        count += GetThreadPriority(thread) == THREAD_PRIORITY_TIME_CRITICAL ? 1 : 0;
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return count;
}

bool TabletBench::WaitForReadThreads(int count, DWORD timeoutMs) const
{
    return WaitUntil([&] { return TimeCriticalThreads() == count; }, timeoutMs);
}

POINT DeskPixelOf(int x, int y)
{
    return DeskPixelOf(x, y, SIZE{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)});
}

POINT DeskPixelOf(int x, int y, SIZE desktop)
{
    const TABLETINFO model = DeskModel();
    const int screenX = static_cast<int>(static_cast<double>(x) * 0xFFFF / model.xMax);
    const int screenY = static_cast<int>(static_cast<double>(y) * 0xFFFF / model.yMax);
    return POINT{screenX * desktop.cx / 0x10000, screenY * desktop.cy / 0x10000};
}
