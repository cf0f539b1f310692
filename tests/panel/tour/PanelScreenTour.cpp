// Drives the real control panel through each of its windows and saves a
// picture of each as a bitmap file, for scripts/screens. The panel runs beside
// the library form in a host, with the package's installed data files.
//
// Usage: PanelScreenTour.exe <output folder> [<package data folder>]
#include "ChildProcess.h"
#include "PanelUnderTest.h"
#include "ServiceCodes.h"
#include "SharedSections.h"
#include "TempFolder.h"
#include "TryHereDriver.h"
#include "ids_keys.h"
#include "ids_main.h"
#include "ids_mapping.h"
#include "ids_pen.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Lets the panel paint what a step changed.
void Settle() { Sleep(700); }

RECT Union(const std::vector<HWND>& windows)
{
    RECT all{};
    for (HWND window : windows) {
        RECT rect{};
        GetWindowRect(window, &rect);
        UnionRect(&all, &all, &rect);
    }
    return all;
}

// The screen's pixels under `rect`, written as a 24-bit bitmap file.
bool SaveScreenRect(const RECT& rect, const std::string& path)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        SelectObject(memory, previous);
        const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + imageBytes;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
        out.write(static_cast<const char*>(bits), imageBytes);
        saved = out.good();
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Tour {
    PanelUnderTest& panel;
    std::string folder;
    int failures = 0;

    void Shoot(const char* name, const std::vector<HWND>& windows)
    {
        Settle();
        const std::string path = folder + "\\" + name + ".bmp";
        const bool saved = !windows.empty() && windows.front() != nullptr && SaveScreenRect(Union(windows), path);
        std::printf("%s %s\n", saved ? "saved" : "FAILED", name);
        failures += saved ? 0 : 1;
    }
    // The main window with the page beside it, if one is shown.
    void ShootMain(const char* name)
    {
        std::vector<HWND> windows{panel.MainWindow()};
        if (HWND page = panel.VisiblePage())
            windows.push_back(page);
        Shoot(name, windows);
    }
};

// The pen page's function menu, open over the first pen button's label.
void ShootFunctionMenu(PanelUnderTest& panel, Tour& tour)
{
    const HWND label = panel.Item(IDC_PEN_BUTTON_FIRST);
    PostMessageA(panel.MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_PEN_BUTTON_FIRST, BN_CLICKED),
                 reinterpret_cast<LPARAM>(label));
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); }, 5000);
    tour.Shoot("pen_function_menu", {panel.MainWindow(), menu});
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    WaitUntil([&] { return menu == nullptr || !IsWindowVisible(menu); }, 3000);
}

// The click entry of the parameter list: the knob, the value and the curve's marker.
void ShootClickEntry(PanelUnderTest& panel, Tour& tour)
{
    const HWND list = panel.Item(IDC_PARAMETER);
    SendMessageA(list, CB_SETCURSEL, 2, 0);
    panel.Send(WM_COMMAND, MAKEWPARAM(IDC_PARAMETER, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
    tour.ShootMain("pen_click_entry");
}

// A second session with the scripted tablet: strokes of two pressures in the
// try-here area and the dial turned by a leaning pen.
int ShootTryHere(const std::string& folder)
{
    PanelUnderTest panel(PanelPartner::LibraryForm);
    TryHereDriver driver(panel);
    if (!driver.Start()) {
        std::fprintf(stderr, "the panel did not open with the tablet\n");
        return 1;
    }
    SetWindowPos(panel.MainWindow(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
    Tour tour{panel, folder};
    driver.Stroke(driver.AreaPoint(0.3, 0.6), driver.AreaPoint(0.9, 0.6), 150);
    driver.Stroke(driver.AreaPoint(0.3, 0.85), driver.AreaPoint(0.9, 0.75), 1000);
    for (int i = 0; i < 4; ++i)
        driver.Report(TryHereDriver::kHover, driver.AreaPoint(0.5 + 0.02 * i, 0.4), 0, 110, 40);
    tour.ShootMain("pen_try_here");
    driver.Report(TryHereDriver::kLeave, driver.AreaPoint(0.5, 0.4), 0);
    panel.Click(IDCANCEL);
    panel.WaitForPanelExit(5000);
    return tour.failures;
}

// The companions beside the library form: the express-key overlay with
// labels of a few actions, the double-click dialog and its language dialog,
// with the companions' language file. (The rotation watcher has no visible
// window.)
HWND WaitForWindow(const char* className, const char* title)
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowA(className, title)) != nullptr && IsWindowVisible(window); }, 10000);
    return window;
}

void PutOverlayActions(uint8_t* keyArea)
{
    if (keyArea == nullptr)
        return;
    KEYACTION* keys = reinterpret_cast<KEYACTION*>(keyArea + KEYAREA_KEYS_OFFSET);
    keys[0].actionCode = ACTION_KEYSTROKE;
    std::memcpy(keys[0].data, "\xA2\x5A", 3);  // left Ctrl, Z
    keys[1].actionCode = ACTION_RIGHT_CLICK;
    keys[2].actionCode = ACTION_LAUNCH;
    std::strcpy(keys[2].data, "C:\\Windows\\notepad.exe");
    keys[5].actionCode = ACTION_SCROLL_UP;
    keys[6].actionCode = ACTION_DOUBLE_CLICK;
}

void ShootCompanions(Tour& tour, const std::string& packageFolder)
{
    const std::string language = ReadAll(packageFolder + "\\companions\\language.ini");
    if (!language.empty())
        tour.panel.WriteSettingsFile("Stylora\\language.ini", language);
    const std::vector<std::string> settings = {"INKBRID_PROGRAM_FILES=" + tour.panel.Settings().Path()};
    PutOverlayActions(tour.panel.KeyArea());
    ChildProcess overlay;
    if (overlay.Start("Keyveil.exe", "showkeyboard", settings)) {
        const HWND window = WaitForWindow(nullptr, "QXKorin3ShowKeyboard2009");
        Sleep(500);  // the labels come half a second after the picture
        tour.Shoot("keyveil", {window});
        PostMessageA(window, WM_KEYOVERLAY_CLOSE, 2, 0);
        overlay.Wait(5000);
    }
    ChildProcess mousora;
    if (mousora.Start("Mousora.exe", "", settings)) {
        const HWND dialog = WaitForWindow("#32770", "Mousora");
        tour.Shoot("mousora", {dialog});
        PostMessageA(dialog, WM_SYSCOMMAND, 16, 0);
        const HWND chooser = WaitForWindow("#32770", "Dialog");
        tour.Shoot("mousora_language", {chooser});
        PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        mousora.Wait(5000);
    }
}

// The second brand's main dialog in its large layout with each page, then in
// the template layout of language 3.
int PenmiraTour(const std::string& folder)
{
    int failures = 0;
    for (const int language : {0, 3}) {
        PanelUnderTest panel(PanelPartner::LibraryForm, PanelBrandUnderTest::Penmira);
        panel.WriteSettingsFile("Tablet\\language.ini",
                                "[language list]\r\nnum=4\r\n0=English\r\n1=English\r\n2=English\r\n3=English\r\n"
                                "[selected]\r\nlanguage=" + std::to_string(language) + "\r\n");
        if (!panel.StartPartner() || !panel.StartPanel() || panel.WaitForMainWindow() == nullptr) {
            std::fprintf(stderr, "the second brand's panel did not open\n");
            return failures + 1;
        }
        SetWindowPos(panel.MainWindow(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
        SetForegroundWindow(panel.MainWindow());
        Tour tour{panel, folder};
        if (language == 0) {
            tour.ShootMain("penmira_main_pen");
            panel.Click(IDC_MAPPING);
            tour.ShootMain("penmira_main_mapping");
            panel.Click(IDC_ABOUT);
            tour.ShootMain("penmira_main_about");
        } else {
            tour.ShootMain("penmira_main_language3");
        }
        panel.Click(IDCANCEL);
        panel.WaitForPanelExit(5000);
        failures += tour.failures;
    }
    return failures;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: PanelScreenTour <output folder> [<package data folder>]\n");
        return 2;
    }
    // The try-here area with a scripted tablet, in a session of its own first.
    const int tryHereFailures = ShootTryHere(argv[1]);
    PanelUnderTest panel(PanelPartner::LibraryForm);
    if (argc > 2) {
        for (const char* file : {"StyloraInfo.ked", "language.ini"}) {
            const std::string contents = ReadAll(std::string(argv[2]) + "\\Tablet\\" + file);
            if (!contents.empty())
                panel.WriteSettingsFile(std::string("Tablet\\") + file, contents);
        }
    }
    // Two tablets with express keys plugged in: eighteen keys and ten.
    SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", "7A4B:6B12,7A4B:5A25");
    if (!panel.StartPartner() || !panel.StartPanel() || panel.WaitForMainWindow() == nullptr) {
        std::fprintf(stderr, "the panel did not open\n");
        return 1;
    }
    panel.Pen().serialNibble = 5;
    panel.Pen().serialBytes[3] = 1;
    SetWindowPos(panel.MainWindow(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(panel.MainWindow());
    Tour tour{panel, argv[1]};

    // Each area of the panel adds its windows here.
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"main_pen", [&] { panel.Click(IDC_PEN_SETTING); panel.Send(WM_PEN_TOOL_ID, 5, 1); tour.ShootMain("main_pen"); }},
        {"pen_function_menu", [&] { ShootFunctionMenu(panel, tour); }},
        {"pen_click_entry", [&] { ShootClickEntry(panel, tour); }},
        {"main_mapping", [&] { panel.Click(IDC_MAPPING); tour.ShootMain("main_mapping"); }},
        {"area_picker", [&] {
             const std::vector<HWND> before = panel.PanelWindows();
             PostMessageA(panel.VisiblePage(), WM_COMMAND, MAKEWPARAM(IDC_PART_OF_MONITOR, BN_CLICKED), 0);
             HWND picker = nullptr;
             for (int i = 0; i < 100 && picker == nullptr; ++i, Sleep(50))
                 for (HWND window : panel.PanelWindows())
                     if (std::find(before.begin(), before.end(), window) == before.end())
                         picker = window;
             tour.Shoot("area_picker", {picker});
             PostMessageA(picker, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
             PostMessageA(picker, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
             // Pumping, not sleeping: the panel may be waiting on a message to this thread.
             for (int i = 0; i < 100 && IsWindow(picker); ++i) {
                 MSG message;
                 while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                     DispatchMessageA(&message);
                 Sleep(50);
             }
             tour.ShootMain("main_mapping_picked");
         }},
        {"calibration", [&] {
             PostMessageA(panel.VisiblePage(), WM_COMMAND, MAKEWPARAM(IDC_CALIBRATE, BN_CLICKED), 0);
             const HWND window = panel.WaitForPanelWindow("QXCalibrate20090410Window");
             tour.Shoot("calibration", {window});
             PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
             Settle();
         }},
        {"main_keys", [&] { panel.Click(IDC_KEY_SETTING); tour.ShootMain("main_keys"); }},
        {"keys_ten", [&] {
             const HWND page = panel.VisiblePage();
             const HWND tablets = GetDlgItem(page, IDC_TABLET_ID);
             SendMessageA(tablets, CB_SETCURSEL, 1, 0);
             SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_TABLET_ID, CBN_SELENDOK), reinterpret_cast<LPARAM>(tablets));
             tour.ShootMain("keys_ten");
         }},
        {"keyboard", [&] {
             const HWND page = panel.VisiblePage();
             PostMessageA(page, WM_COMMAND, MAKEWPARAM(8192, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, 8192)));
             Settle();
             tour.Shoot("key_menu", {panel.MainWindow(), page});
             panel.PickMenuEntry(6);
             const HWND keyboard = panel.WaitForPanelWindow("Keyboard");
             RECT client{};
             GetClientRect(keyboard, &client);
             for (POINT at : {POINT{10, 60}, POINT{client.right / 4, 100}})
                 PostMessageA(keyboard, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
             tour.Shoot("keyboard", {keyboard});
             if (keyboard != nullptr)
                 PostMessageA(keyboard, WM_COMMAND, IDCANCEL, 0);
         }},
        {"launch", [&] {
             Settle();
             const HWND page = panel.VisiblePage();
             PostMessageA(page, WM_COMMAND, MAKEWPARAM(8193, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, 8193)));
             panel.PickMenuEntry(7);
             const HWND launch = panel.WaitForPanelWindow("Utility");
             SetDlgItemTextA(launch, IDC_LAUNCH_PATH, "C:\\Program Files\\Paint\\paint.exe");
             SetDlgItemTextA(launch, IDC_LAUNCH_PARAMETERS, "/new");
             tour.Shoot("launch", {launch});
             if (launch != nullptr)
                 PostMessageA(launch, WM_COMMAND, IDCANCEL, 0);
         }},
        {"main_about", [&] { panel.Click(IDC_ABOUT); tour.ShootMain("main_about"); }},
        {"language", [&] {
             PostMessageA(panel.MainWindow(), WM_SYSCOMMAND, 16, 0);
             const HWND dialog = panel.WaitForPanelWindow("Language");
             tour.Shoot("language", {dialog});
             if (dialog != nullptr)
                 PanelUnderTest::ClickIn(dialog, IDCANCEL);
         }},
        {"keyboard_layouts", [&] {
             // Seven languages, so that every keyboard layout can be chosen by its language index.
             panel.WriteSettingsFile("Tablet\\language.ini",
                                     "[language list]\r\nnum=7\r\n0=English\r\n1=Chinese Simple\r\n2=Chinese trad\r\n"
                                     "3=Deutsch\r\n4=Francais\r\n5=Korean\r\n6=Japanese\r\n[selected]\r\nlanguage=0\r\n");
             for (int index : {3, 4, 5, 6}) {
                 PostMessageA(panel.MainWindow(), WM_SYSCOMMAND, 16, 0);
                 const HWND dialog = panel.WaitForPanelWindow("Language");
                 const HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
                 SendMessageA(list, LB_SETSEL, FALSE, -1);
                 SendMessageA(list, LB_SETSEL, TRUE, index);
                 PanelUnderTest::ClickIn(dialog, IDOK);
                 panel.Click(IDC_KEY_SETTING);
                 Settle();
                 const HWND page = panel.VisiblePage();
                 PostMessageA(page, WM_COMMAND, MAKEWPARAM(8192, BN_CLICKED),
                              reinterpret_cast<LPARAM>(GetDlgItem(page, 8192)));
                 panel.PickMenuEntry(6);
                 const HWND keyboard = panel.WaitForPanelWindow("Keyboard");
                 const std::string name = "keyboard_layout_" + std::to_string(index);
                 tour.Shoot(name.c_str(), {keyboard});
                 if (keyboard != nullptr)
                     PostMessageA(keyboard, WM_COMMAND, IDCANCEL, 0);
                 Settle();
             }
         }},
    };
    for (const auto& step : steps)
        step.second();
    panel.Click(IDCANCEL);
    panel.WaitForPanelExit(5000);
    ShootCompanions(tour, argc > 2 ? argv[2] : "");
    const int penmiraFailures = PenmiraTour(argv[1]);
    return tour.failures + tryHereFailures + penmiraFailures == 0 ? 0 : 1;
}
