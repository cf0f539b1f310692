// The control panel program started by a test against one of its two
// partners: the library form in a host on the Windows 6.1 that Wine reports
// (unprefixed names, saves by command), or the service program with the panel
// seeing Windows XP (the "Global\" names, the panel writes the settings files
// itself). The test prepares the settings folder, starts the partner and the
// panel, then presses the panel's buttons and reads its controls.
#pragma once

#include "ChildProcess.h"
#include "SectionView.h"
#include "SharedSections.h"
#include "TempFolder.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FakeService;
class LibraryHostBench;
class TabletBench;
class TestPipe;
struct ScriptedHid;

// FakeLibrary: a stand-in for the library form (its names, its named command
// event) that records each command it is woken for, with or without the
// connection section.
enum class PanelPartner { LibraryForm, ServiceProgramOnXp, FakeLibrary, FakeLibraryWithoutConnection };
// Which program: the reference panel beside "Inkbrid.exe", or the second
// brand's beside "InkbridPenmira.exe" (both meet the same library form).
enum class PanelBrandUnderTest { Stylora, Penmira };

class PanelUnderTest {
public:
    static constexpr const char* kProgram = "Stylora.exe";
    static constexpr const char* kPenmiraProgram = "Penmira.exe";
    static constexpr const char* kMainWindowTitle = "Tablet";

    explicit PanelUnderTest(PanelPartner partner, PanelBrandUnderTest brand = PanelBrandUnderTest::Stylora);
    ~PanelUnderTest();
    PanelUnderTest(const PanelUnderTest&) = delete;
    PanelUnderTest& operator=(const PanelUnderTest&) = delete;

    PanelPartner Partner() const { return partner_; }
    // The library form's host, for scripted tablets before StartPartner; null beside the service program.
    LibraryHostBench* Host() const { return host_.get(); }
    const TempFolder& Settings() const;
    void WriteSettingsFile(const std::string& relative, const std::string& contents) const;
    void WriteSettingsFile(const std::string& relative, const void* bytes, size_t size) const;
    std::vector<uint8_t> ReadSettingsFile(const std::string& relative) const;

    // The service program's bench, for scripted tablets before StartPartner;
    // null beside the library form.
    TabletBench* Bench() const { return bench_.get(); }
    // The stand-in library form; null beside the real partners.
    FakeService* Fake() const { return fake_.get(); }
    // Adds a scripted tablet to whichever real partner runs; before StartPartner.
    TestPipe& AddTablet(const ScriptedHid& hid);

    // Starts the partner and maps its sections; false when it does not come up.
    bool StartPartner();
    // True once the panel's start-up commands are over and the partner's
    // command loop waits for the next: the stand-in says so, the library
    // form shows it by a command word left alone.
    bool SettlePartner(DWORD timeoutMs = 5000) const;
    uint8_t* PenBlock() const { return pen_.Bytes() + offsetof(PenSection, pen); }
    PENSETTINGS& Pen() const { return pen_.As<PenSection>()->pen; }
    uint8_t* KeyArea() const { return keyArea_.Bytes(); }
    ConnectionSection* Connection() const { return connection_.As<ConnectionSection>(); }

    // Starts the panel with the settings folder; `extraArguments` go on its
    // command line. False when it could not be started.
    bool StartPanel(const std::string& extraArguments = "");
    // Starts the panel from another file next to the tests (a copy in a
    // folder of its own, beside other libraries) with the next StartPanel.
    void UsePanelCopy(const std::string& relativePath) { panelPath_ = relativePath; }
    // Adds "NAME=value" to the environment the next StartPanel gives the panel.
    void AddPanelEnvironment(const std::string& entry) { panelEnvironment_.push_back(entry); }
    // Waits for the panel's visible main window; null when none appears.
    HWND WaitForMainWindow(DWORD timeoutMs = 15000);
    HWND MainWindow() const { return mainWindow_; }
    ChildProcess& Panel() { return panel_; }
    // The panel's exit code, or -1 when it is still running after the wait.
    int WaitForPanelExit(DWORD timeoutMs);
    // Visible top-level windows of the panel's process.
    std::vector<HWND> PanelWindows() const;
    // A visible top-level window of the panel titled `title`, waited for.
    HWND WaitForPanelWindow(const char* title, DWORD timeoutMs = 5000) const;
    // A visible owned popup of the main window without a caption (a page).
    HWND VisiblePage() const;
    // Picks entry `entry` (from 0) of the popup menu the panel shows, with the
    // keys a user would press; false when no menu appears in time.
    bool PickMenuEntry(int entry, DWORD timeoutMs = 5000) const;

    HWND Item(int id) const { return GetDlgItem(mainWindow_, id); }
    std::string ItemText(int id) const { return WindowText(Item(id)); }
    bool ItemEnabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    // Presses a button of the main window the way a click does, and waits
    // until the panel has handled it.
    void Click(int id) const { ClickIn(mainWindow_, id); }
    static void ClickIn(HWND dialog, int id);
    // Sends a message and waits for the panel to handle it.
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    static std::string WindowText(HWND window);

private:
    bool OpenSections();
    void SetPanelWindowsVersion(const char* version);
    void ClearPanelWindowsVersion();

    PanelPartner partner_;
    const char* program_;
    std::string panelPath_;
    std::vector<std::string> panelEnvironment_;
    std::unique_ptr<LibraryHostBench> host_;
    std::unique_ptr<TabletBench> bench_;
    std::unique_ptr<FakeService> fake_;
    std::unique_ptr<TempFolder> fakeSettings_;
    SectionView pen_;
    SectionView keyArea_;
    SectionView connection_;
    ChildProcess panel_;
    HWND mainWindow_ = nullptr;
    bool versionSet_ = false;
};
