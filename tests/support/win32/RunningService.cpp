#include "RunningService.h"

#include "ObjectNames.h"
#include "SectionView.h"
#include "ServiceCommander.h"

RunningService::RunningService(const std::string& program, bool globalNames)
    : program_(program), globalNames_(globalNames)
{
}

RunningService::~RunningService()
{
    if (running_)
        Stop();
}

std::string RunningService::SectionName(const char* base) const
{
    return std::string(globalNames_ ? objnames::GLOBAL_PREFIX : "") + base;
}

bool RunningService::Start()
{
    std::vector<std::string> environment = environment_;
    environment.push_back("INKBRID_PROGRAM_FILES=" + settings_.Path());
    if (!child_.Start(program_, "-f", environment))
        return false;
    running_ = true;
    std::string pen = SectionName(objnames::PEN_SECTION);
    DWORD pid = child_.ProcessId();
    const bool penReady = WaitUntil(
        [&] {
            SectionView view;
            return view.Open(pen) && view.Int32At(0) == static_cast<int32_t>(pid);
        },
        20000);
    if (!penReady)
        return false;
    // Each section gets its process id before its content, and one build
    // creates the pen section before the key area: only the command loop
    // answering says that every section is filled.
    ServiceCommander commander;
    return commander.Open(globalNames_) && commander.Ping(20000);
}

int RunningService::Stop()
{
    if (!running_)
        return -1;
    running_ = false;
    // The faceless window ends the run like the end of a session does.
    HWND faceless = nullptr;
    WaitUntil(
        [&] {
            faceless = FindWindowA("ZQV__FacelessWndProc_", nullptr);
            return faceless != nullptr;
        },
        5000);
    if (faceless != nullptr)
        PostMessageA(faceless, WM_QUERYENDSESSION, 0, 0);
    int code = child_.Wait(20000);
    if (code == -1)
        child_.Kill();
    return code;
}
