#include "LibraryHostBench.h"

#include "ObjectNames.h"
#include "ScriptedHidEnumerator.h"

#include <cstdio>

namespace {

constexpr const char* HOST_PROGRAM = "library\\LibraryTestHost.exe";

}  // namespace

LibraryHostBench::LibraryHostBench()
{
    eventsName_ = NewName("host");
    exitEvent_ = CreateEventA(nullptr, TRUE, FALSE, (eventsName_ + "-exit").c_str());
    unloadEvent_ = CreateEventA(nullptr, TRUE, FALSE, (eventsName_ + "-unload").c_str());
}

LibraryHostBench::~LibraryHostBench()
{
    CloseSections();
    if (running_) {
        Exit();
        Unload();
    }
    CloseHandle(exitEvent_);
    CloseHandle(unloadEvent_);
}

std::string LibraryHostBench::NewName(const char* role)
{
    return std::string("inkbrid-library-test-") + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount()) + "-" + role + "-" + std::to_string(serial_++);
}

void LibraryHostBench::WriteSupportedTable(const std::vector<TABLETINFO>& models)
{
    WriteSettingsFile("Tablet\\StyloraInfo.ked", models.data(), models.size() * sizeof(TABLETINFO));
}

void LibraryHostBench::WriteSettingsFile(const std::string& relative, const void* bytes, size_t size)
{
    const uint8_t* begin = static_cast<const uint8_t*>(bytes);
    settings_.WriteFile(relative, std::vector<uint8_t>(begin, begin + size));
}

TestPipe& LibraryHostBench::AddInterface(const ScriptedHid& hid, bool plugged, DWORD bufferSize)
{
    auto pipe = std::make_unique<TestPipe>("\\\\.\\pipe\\" + NewName("hid"), bufferSize);
    if (plugged)
        pipe->Create();
    lines_.push_back(ScriptLineOf(pipe->Name(), hid));
    pipes_.push_back(std::move(pipe));
    WriteScript();
    return *pipes_.back();
}

TestPipe& LibraryHostBench::AddVirtualOutputDevice(DWORD bufferSize)
{
    return AddInterface(ScriptedHid{"0x3C5E", "0x4E19", "0xFF00", "0x01", 0, 19}, true, bufferSize);
}

TestPipe& LibraryHostBench::AddEchoPipe()
{
    auto pipe = std::make_unique<TestPipe>("\\\\.\\pipe\\" + NewName("echo"));
    pipe->Create();
    lines_.push_back("echo " + pipe->Name());
    pipes_.push_back(std::move(pipe));
    WriteScript();
    return *pipes_.back();
}

void LibraryHostBench::WriteScript()
{
    std::string script;
    for (const std::string& line : lines_)
        script += line + "\n";
    WriteSettingsFile("hid-script.txt", script.data(), script.size());
}

bool LibraryHostBench::WaitForOutput(const std::string& text, DWORD timeoutMs)
{
    return WaitUntil([&] { return host_.Output().find(text) != std::string::npos; }, timeoutMs);
}

bool LibraryHostBench::Start()
{
    WriteScript();
    const std::vector<std::string> environment = {
        "INKBRID_PROGRAM_FILES=" + settings_.Path(),
        std::string(TEST_HID_SCRIPT_VARIABLE) + "=" + settings_.PathOf("hid-script.txt")};
    if (!host_.Start(HOST_PROGRAM, eventsName_, environment))
        return false;
    running_ = true;
    return WaitForOutput("started\n", 30000);
}

bool LibraryHostBench::Exit()
{
    SetEvent(exitEvent_);
    return WaitForOutput("exited\n", 30000);
}

int LibraryHostBench::Unload()
{
    SetEvent(unloadEvent_);
    running_ = false;
    const int code = host_.Wait(20000);
    if (code == -1)
        host_.Kill();
    return code;
}

bool LibraryHostBench::OpenSections()
{
    return keyArea_.Open(objnames::KEY_AREA_SECTION) && pen_.Open(objnames::PEN_SECTION) &&
           connection_.Open(objnames::CONNECTION_SECTION);
}

void LibraryHostBench::CloseSections()
{
    keyArea_.Close();
    pen_.Close();
    connection_.Close();
}
