#include "PanelUnderTest.h"

#include "FakeService.h"
#include "LibraryHostBench.h"
#include "ObjectNames.h"
#include "RunningService.h"
#include "TabletBench.h"
#include "TempFolder.h"

#include <cstring>
#include <vector>

namespace {

std::string AppDefaultsKey(const char* program) { return std::string("Software\\Wine\\AppDefaults\\") + program; }

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindows(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

}  // namespace

PanelUnderTest::PanelUnderTest(PanelPartner partner, PanelBrandUnderTest brand)
    : partner_(partner), program_(brand == PanelBrandUnderTest::Penmira ? kPenmiraProgram : kProgram)
{
    if (partner_ == PanelPartner::LibraryForm) {
        host_ = std::make_unique<LibraryHostBench>();
        host_->AddVirtualOutputDevice();
        ClearPanelWindowsVersion();  // the one Wine reports, whatever an earlier run left
    } else if (partner_ == PanelPartner::FakeLibrary || partner_ == PanelPartner::FakeLibraryWithoutConnection) {
        fake_ = std::make_unique<FakeService>(FakeService::Form::Library, partner_ == PanelPartner::FakeLibrary);
        fakeSettings_ = std::make_unique<TempFolder>();
        ClearPanelWindowsVersion();
    } else {
        bench_ = std::make_unique<TabletBench>(brand == PanelBrandUnderTest::Penmira ? "InkbridPenmira.exe"
                                                                                       : "Inkbrid.exe");
        SetPanelWindowsVersion("winxp");
    }
    // Installed files: the saves only ever write existing ones.
    WriteSettingsFile("Tablet\\qxpen.ked", "");
    WriteSettingsFile("Tablet\\StyloraFind.ked", "");
}

PanelUnderTest::~PanelUnderTest()
{
    if (panel_.Process() != nullptr && panel_.Wait(0) == -1) {
        if (mainWindow_ != nullptr)
            PostMessageA(mainWindow_, WM_COMMAND, IDCANCEL, 0);
        if (panel_.Wait(5000) == -1)
            panel_.Kill();
    }
    pen_.Close();
    keyArea_.Close();
    connection_.Close();
    host_.reset();
    bench_.reset();
    fake_.reset();
    if (versionSet_)
        ClearPanelWindowsVersion();
}

void PanelUnderTest::ClearPanelWindowsVersion()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, AppDefaultsKey(program_).c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, "Version");
    RegCloseKey(key);
}

void PanelUnderTest::SetPanelWindowsVersion(const char* version)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, AppDefaultsKey(program_).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>(strlen(version) + 1));
    RegCloseKey(key);
    versionSet_ = true;
}

const TempFolder& PanelUnderTest::Settings() const
{
    if (fakeSettings_)
        return *fakeSettings_;
    return host_ ? host_->Settings() : bench_->Service().Settings();
}

TestPipe& PanelUnderTest::AddTablet(const ScriptedHid& hid)
{
    return host_ ? host_->AddInterface(hid) : bench_->AddInterface(hid);
}

void PanelUnderTest::WriteSettingsFile(const std::string& relative, const std::string& contents) const
{
    WriteSettingsFile(relative, contents.data(), contents.size());
}

void PanelUnderTest::WriteSettingsFile(const std::string& relative, const void* bytes, size_t size) const
{
    const uint8_t* begin = static_cast<const uint8_t*>(bytes);
    Settings().WriteFile(relative, std::vector<uint8_t>(begin, begin + size));
}

std::vector<uint8_t> PanelUnderTest::ReadSettingsFile(const std::string& relative) const
{
    return Settings().ReadFile(relative);
}

bool PanelUnderTest::StartPartner()
{
    const bool started = fake_ ? fake_->Start() : host_ ? host_->Start() : bench_->Start();
    return started && OpenSections();
}

bool PanelUnderTest::SettlePartner(DWORD timeoutMs) const
{
    if (fake_)
        return fake_->Settle(timeoutMs);
    // The panel's tablet interface writes the same command word as it opens
    // and raises its context, so a command of ours could replace one of its
    // own not yet taken. Its commands come at least 50 ms apart: the word
    // and its fields left alone for a while mean its start is over.
    constexpr DWORD kQuietMs = 300;
    const ConnectionSection* connection = Connection();
    if (connection == nullptr)
        return false;
    const auto fields = [connection] {
        return std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(&connection->command),
                                    reinterpret_cast<const uint8_t*>(&connection->readIndex));
    };
    const DWORD start = GetTickCount();
    std::vector<uint8_t> seen = fields();
    DWORD quietSince = start;
    while (GetTickCount() - quietSince < kQuietMs) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
        std::vector<uint8_t> now = fields();
        if (now != seen) {
            seen = std::move(now);
            quietSince = GetTickCount();
        }
    }
    return true;
}

bool PanelUnderTest::OpenSections()
{
    const bool global = partner_ == PanelPartner::ServiceProgramOnXp;
    auto name = [global](const char* base) { return std::string(global ? objnames::GLOBAL_PREFIX : "") + base; };
    const bool connection = partner_ != PanelPartner::FakeLibraryWithoutConnection;
    return pen_.Open(name(objnames::PEN_SECTION)) && keyArea_.Open(name(objnames::KEY_AREA_SECTION)) &&
           (!connection || connection_.Open(name(objnames::CONNECTION_SECTION)));
}

bool PanelUnderTest::StartPanel(const std::string& extraArguments)
{
    mainWindow_ = nullptr;
    std::vector<std::string> environment{"INKBRID_PROGRAM_FILES=" + Settings().Path()};
    environment.insert(environment.end(), panelEnvironment_.begin(), panelEnvironment_.end());
    return panel_.Start(panelPath_.empty() ? program_ : panelPath_, extraArguments, environment);
}

HWND PanelUnderTest::WaitForMainWindow(DWORD timeoutMs)
{
    mainWindow_ = WaitForPanelWindow(kMainWindowTitle, timeoutMs);
    return mainWindow_;
}

int PanelUnderTest::WaitForPanelExit(DWORD timeoutMs) { return panel_.Wait(timeoutMs); }

std::vector<HWND> PanelUnderTest::PanelWindows() const
{
    WindowSearch search{panel_.ProcessId(), {}};
    if (search.processId != 0)
        EnumWindows(&CollectProcessWindows, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND PanelUnderTest::WaitForPanelWindow(const char* title, DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : PanelWindows()) {
                if (WindowText(window) == title) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

HWND PanelUnderTest::VisiblePage() const
{
    for (HWND window : PanelWindows()) {
        if (window != mainWindow_ && GetWindow(window, GW_OWNER) == mainWindow_ &&
            (GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
            return window;
    }
    return nullptr;
}

bool PanelUnderTest::PickMenuEntry(int entry, DWORD timeoutMs) const
{
    HWND menu = nullptr;
    const bool shown = WaitUntil(
        [&] {
            for (HWND window : PanelWindows()) {
                char className[16] = {};
                GetClassNameA(window, className, sizeof className);
                if (std::strcmp(className, "#32768") == 0)
                    return (menu = window) != nullptr;
            }
            return false;
        },
        timeoutMs);
    if (!shown)
        return false;
    for (int i = 0; i <= entry; ++i)
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    return true;
}

void PanelUnderTest::ClickIn(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

LRESULT PanelUnderTest::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageA(mainWindow_, message, wParam, lParam);
}

std::string PanelUnderTest::WindowText(HWND window)
{
    // Asked of the window itself: another process's controls answer only so.
    char text[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &ignored);
    text[sizeof text - 1] = '\0';
    return text;
}
