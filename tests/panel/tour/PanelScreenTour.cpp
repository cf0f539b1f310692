// Drives the real control panels and companions through each of their
// windows and saves a picture of each as a bitmap file, for scripts/screens.
// Every step starts the program afresh beside the library form in a host,
// with the package's installed data files, so no step sees what an earlier
// one left open. The tour ends with a failure that names every window it
// could not photograph.
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
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWindowTimeoutMs = 10000;
constexpr int kKeyLabelFirst = 8192;
constexpr int kFunctionMenuKeyboard = 6;
constexpr int kFunctionMenuLaunch = 7;
constexpr int kLanguageCommand = 16;
constexpr const char* kCalibrationTitle = "QXCalibrate20090410Window";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A message the panel may answer late or never: a handler that runs a modal
// window returns only when that window closes, so the tour never waits on it.
bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = 3000)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &ignored) != 0;
}

// A click on button `id` of `dialog`, handled before this returns unless the
// handler runs a modal window.
void Press(HWND dialog, int id)
{
    SendWithin(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A click whose handler runs a modal window: the tour waits for that window instead.
void PressLater(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool WaitGone(HWND window, DWORD timeoutMs = kWindowTimeoutMs)
{
    return window == nullptr || WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

// Ends a modal window with Cancel and waits until it is gone.
bool CancelModal(HWND window)
{
    if (window == nullptr)
        return true;
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return WaitGone(window);
}

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

// The screen's pixels under a rectangle, as the rows of a 24-bit bitmap.
class ScreenPicture {
public:
    explicit ScreenPicture(const RECT& rect)
        : width_(rect.right - rect.left), height_(rect.bottom - rect.top)
    {
        if (width_ <= 0 || height_ <= 0)
            return;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info = Header();
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap != nullptr) {
            HGDIOBJ previous = SelectObject(memory, bitmap);
            BitBlt(memory, 0, 0, width_, height_, screen, rect.left, rect.top, SRCCOPY);
            GdiFlush();
            SelectObject(memory, previous);
            const uint8_t* begin = static_cast<const uint8_t*>(bits);
            pixels_.assign(begin, begin + RowBytes() * static_cast<size_t>(height_));
            DeleteObject(bitmap);
        }
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    bool Empty() const { return pixels_.empty(); }
    bool operator==(const ScreenPicture& other) const { return pixels_ == other.pixels_; }

    bool Save(const std::string& path) const
    {
        if (Empty())
            return false;
        const BITMAPINFO info = Header();
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels_.size());
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
        out.write(reinterpret_cast<const char*>(pixels_.data()), static_cast<std::streamsize>(pixels_.size()));
        return out.good();
    }

private:
    size_t RowBytes() const { return (static_cast<size_t>(width_) * 3 + 3) & ~static_cast<size_t>(3); }
    BITMAPINFO Header() const
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        return info;
    }

    int width_;
    int height_;
    std::vector<uint8_t> pixels_;
};

// Saves pictures and keeps the names of those taken.
class Photographer {
public:
    explicit Photographer(std::string folder) : folder_(std::move(folder)) {}

    // The windows' rectangle once every window is up and the screen under it
    // has stopped changing: a window that has just opened paints in steps.
    void Shoot(const std::string& name, const std::vector<HWND>& windows)
    {
        for (HWND window : windows) {
            if (window == nullptr || !IsWindow(window) || !IsWindowVisible(window)) {
                std::printf("not found: %s\n", name.c_str());
                return;
            }
            SendWithin(window, WM_NULL, 0, 0, 5000);
        }
        const RECT rect = Union(windows);
        Sleep(150);
        ScreenPicture picture(rect);
        // Still for 600 ms: the key overlay draws its labels half a second after its picture.
        int stillFor = 0;
        for (int i = 0; i < 60 && stillFor < 4; ++i) {
            Sleep(150);
            ScreenPicture next(rect);
            stillFor = next == picture ? stillFor + 1 : 0;
            picture = std::move(next);
        }
        if (!picture.Save(folder_ + "\\" + name + ".bmp")) {
            std::printf("not saved: %s\n", name.c_str());
            return;
        }
        std::printf("saved %s\n", name.c_str());
        taken_.insert(name);
    }
    bool Taken(const std::string& name) const { return taken_.count(name) != 0; }

private:
    std::string folder_;
    std::set<std::string> taken_;
};

// How a step's panel starts.
struct PanelSetup {
    PanelBrandUnderTest brand = PanelBrandUnderTest::Stylora;
    int language = -1;       // the installed language file's choice when below 0
    std::string tablets;     // plugged-in tablets, "VID:PID,..."
};

// The installed language file with `language` chosen among seven list entries
// (all of them the first language's texts), so that every layout that
// depends on the language index can be reached.
std::string LanguageFileChoosing(const std::string& installed, int language)
{
    const size_t texts = installed.find("\r\n[English]");
    std::string file = "[language list]\r\nnum=7\r\n";
    for (int i = 0; i < 7; ++i)
        file += std::to_string(i) + "=English\r\n";
    file += "[selected]\r\nlanguage=" + std::to_string(language) + "\r\n";
    return file + (texts == std::string::npos ? std::string() : installed.substr(texts));
}

class Tour {
public:
    Tour(Photographer& photographer, std::string package) : photos_(photographer), package_(std::move(package)) {}

    Photographer& Photos() { return photos_; }
    const std::string& Package() const { return package_; }

    // A panel started afresh with the installed data files; null when it does not come up.
    std::unique_ptr<PanelUnderTest> OpenPanel(const PanelSetup& setup) const
    {
        SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", setup.tablets.empty() ? nullptr : setup.tablets.c_str());
        auto panel = std::make_unique<PanelUnderTest>(PanelPartner::LibraryForm, setup.brand);
        Install(*panel, setup.language);
        if (!panel->StartPartner() || !panel->StartPanel() || panel->WaitForMainWindow() == nullptr) {
            std::printf("the panel did not open\n");
            return nullptr;
        }
        PlaceMain(*panel);
        return panel;
    }

    void Install(PanelUnderTest& panel, int language) const
    {
        for (const char* file : {"Tablet\\StyloraInfo.ked", "Stylora\\KEY.ini", "Vexora\\KEY.ini"}) {
            const std::string contents = ReadAll(package_ + "\\" + file);
            if (!contents.empty())
                panel.WriteSettingsFile(file, contents);
        }
        const std::string languages = ReadAll(package_ + "\\Tablet\\language.ini");
        panel.WriteSettingsFile("Tablet\\language.ini",
                                language < 0 ? languages : LanguageFileChoosing(languages, language));
    }

    static void PlaceMain(PanelUnderTest& panel)
    {
        SetWindowPos(panel.MainWindow(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
        SetForegroundWindow(panel.MainWindow());
    }

    // Exit, as the user leaves the panel; names what is still open when it does not end.
    static void ClosePanel(PanelUnderTest& panel)
    {
        for (HWND window : panel.PanelWindows())
            if (window != panel.MainWindow() && window != panel.VisiblePage())
                std::printf("  left open: \"%s\"\n", PanelUnderTest::WindowText(window).c_str());
        PressLater(panel.MainWindow(), IDCANCEL);
        if (panel.WaitForPanelExit(kWindowTimeoutMs) == -1)
            std::printf("  the panel did not close\n");
    }

    // The main window with the page beside it, if one is shown.
    void ShootMain(const std::string& name, PanelUnderTest& panel)
    {
        std::vector<HWND> windows{panel.MainWindow()};
        if (HWND page = panel.VisiblePage())
            windows.push_back(page);
        photos_.Shoot(name, windows);
    }

private:
    Photographer& photos_;
    std::string package_;
};

// A step: the pictures it takes and how; it opens and closes its own programs.
struct Step {
    std::vector<std::string> pictures;
    std::function<void(Tour&)> run;
};

// Runs `body` on a panel opened with `setup`, then leaves the panel.
void WithPanel(Tour& tour, const PanelSetup& setup, const std::function<void(PanelUnderTest&)>& body)
{
    std::unique_ptr<PanelUnderTest> panel = tour.OpenPanel(setup);
    if (panel == nullptr)
        return;
    body(*panel);
    Tour::ClosePanel(*panel);
}

// The popup menu now open.
HWND WaitForMenu(DWORD timeoutMs = kWindowTimeoutMs)
{
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); }, timeoutMs);
    return menu;
}

// The page's function menu for a key label, opened as a click on the label does.
HWND OpenKeyMenu(HWND page, int label)
{
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(label, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, label)));
    return WaitForMenu();
}

// The key page of the panel, chosen by its button.
HWND OpenKeyPage(PanelUnderTest& panel)
{
    Press(panel.MainWindow(), IDC_KEY_SETTING);
    HWND page = nullptr;
    WaitUntil([&] { return (page = panel.VisiblePage()) != nullptr && GetDlgItem(page, IDC_TABLET_ID) != nullptr; },
              kWindowTimeoutMs);
    return page;
}

// A dialog that an entry of a key label's function menu runs.
HWND OpenFromKeyMenu(PanelUnderTest& panel, HWND page, int entry, const char* title)
{
    if (page == nullptr || OpenKeyMenu(page, kKeyLabelFirst) == nullptr)
        return nullptr;
    panel.PickMenuEntry(entry);
    return panel.WaitForPanelWindow(title, kWindowTimeoutMs);
}

HWND OpenLanguageDialog(PanelUnderTest& panel)
{
    PostMessageA(panel.MainWindow(), WM_SYSCOMMAND, kLanguageCommand, 0);
    return panel.WaitForPanelWindow("Language", kWindowTimeoutMs);
}

// The newest visible window of the panel that `before` did not have.
HWND WaitForNewWindow(PanelUnderTest& panel, const std::vector<HWND>& before)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : panel.PanelWindows())
                if (std::find(before.begin(), before.end(), window) == before.end())
                    found = window;
            return found != nullptr;
        },
        kWindowTimeoutMs);
    return found;
}

// ---- the reference panel ----------------------------------------------------

const char* const kTwoKeyTablets = "7A4B:6B12,7A4B:5A25";  // eighteen key slots and ten

void PenPage(Tour& tour)
{
    WithPanel(tour, {PanelBrandUnderTest::Stylora, -1, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        panel.Pen().serialNibble = 5;
        panel.Pen().serialBytes[3] = 1;
        Press(panel.MainWindow(), IDC_PEN_SETTING);
        SendWithin(panel.MainWindow(), WM_PEN_TOOL_ID, 5, 1);
        tour.ShootMain("main_pen", panel);
    });
}

void PenFunctionMenu(Tour& tour)
{
    WithPanel(tour, {PanelBrandUnderTest::Stylora, -1, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        PostMessageA(panel.MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_PEN_BUTTON_FIRST, BN_CLICKED),
                     reinterpret_cast<LPARAM>(panel.Item(IDC_PEN_BUTTON_FIRST)));
        const HWND menu = WaitForMenu();
        tour.Photos().Shoot("pen_function_menu", {panel.MainWindow(), menu});
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        WaitGone(menu);
    });
}

// The click entry of the parameter list: the knob, the value and the curve's marker.
void PenClickEntry(Tour& tour)
{
    WithPanel(tour, {PanelBrandUnderTest::Stylora, -1, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        const HWND list = panel.Item(IDC_PARAMETER);
        SendWithin(list, CB_SETCURSEL, 2, 0);
        SendWithin(panel.MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_PARAMETER, CBN_SELENDOK),
                   reinterpret_cast<LPARAM>(list));
        tour.ShootMain("pen_click_entry", panel);
    });
}

// The scripted tablet: strokes of two pressures in the try-here area and the
// dial turned by a leaning pen.
void PenTryHere(Tour& tour)
{
    SetEnvironmentVariableA("INKBRID_TEST_USB_IDS", nullptr);
    PanelUnderTest panel(PanelPartner::LibraryForm);
    TryHereDriver driver(panel);
    if (!driver.Start()) {
        std::printf("the panel did not open with the tablet\n");
        return;
    }
    Tour::PlaceMain(panel);
    driver.Stroke(driver.AreaPoint(0.3, 0.6), driver.AreaPoint(0.9, 0.6), 150);
    driver.Stroke(driver.AreaPoint(0.3, 0.85), driver.AreaPoint(0.9, 0.75), 1000);
    for (int i = 0; i < 4; ++i)
        driver.Report(TryHereDriver::kHover, driver.AreaPoint(0.5 + 0.02 * i, 0.4), 0, 110, 40);
    tour.ShootMain("pen_try_here", panel);
    driver.Report(TryHereDriver::kLeave, driver.AreaPoint(0.5, 0.4), 0);
    Tour::ClosePanel(panel);
}

void MappingPage(Tour& tour, PanelBrandUnderTest brand, const std::string& prefix)
{
    WithPanel(tour, {brand, -1, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        Press(panel.MainWindow(), IDC_MAPPING);
        tour.ShootMain(prefix + "main_mapping", panel);
    });
}

// The area picker over the screen, then the page with the area it picked.
void AreaPicker(Tour& tour, PanelBrandUnderTest brand, const std::string& prefix)
{
    WithPanel(tour, {brand, -1, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        Press(panel.MainWindow(), IDC_MAPPING);
        const std::vector<HWND> before = panel.PanelWindows();
        PressLater(panel.VisiblePage(), IDC_PART_OF_MONITOR);
        const HWND picker = WaitForNewWindow(panel, before);
        tour.Photos().Shoot(prefix + "area_picker", {picker});
        PostMessageA(picker, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
        PostMessageA(picker, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
        if (WaitGone(picker))
            tour.ShootMain(prefix + "main_mapping_picked", panel);
    });
}

void Calibration(Tour& tour, PanelBrandUnderTest brand, const std::string& prefix)
{
    WithPanel(tour, {brand, -1, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        Press(panel.MainWindow(), IDC_MAPPING);
        PressLater(panel.VisiblePage(), IDC_CALIBRATE);
        const HWND window = panel.WaitForPanelWindow(kCalibrationTitle, kWindowTimeoutMs);
        tour.Photos().Shoot(prefix + "calibration", {window});
        CancelModal(window);
    });
}

// The key page of the tablet with eighteen key slots, then of the one with ten.
void KeyPages(Tour& tour)
{
    WithPanel(tour, {PanelBrandUnderTest::Stylora, -1, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        const HWND page = OpenKeyPage(panel);
        tour.ShootMain("main_keys", panel);
        const HWND tablets = GetDlgItem(page, IDC_TABLET_ID);
        SendWithin(tablets, CB_SETCURSEL, 1, 0);
        SendWithin(page, WM_COMMAND, MAKEWPARAM(IDC_TABLET_ID, CBN_SELENDOK), reinterpret_cast<LPARAM>(tablets));
        tour.ShootMain("keys_eighteen", panel);
    });
}

void KeyMenu(Tour& tour)
{
    WithPanel(tour, {PanelBrandUnderTest::Stylora, -1, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        const HWND page = OpenKeyPage(panel);
        const HWND menu = page != nullptr ? OpenKeyMenu(page, kKeyLabelFirst) : nullptr;
        tour.Photos().Shoot("key_menu", {panel.MainWindow(), page, menu});
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        WaitGone(menu);
    });
}

// The on-screen keyboard of language `language`, with two keys pressed when `typed`.
void Keyboard(Tour& tour, const PanelSetup& setup, const char* title, const std::string& name, bool typed)
{
    WithPanel(tour, setup, [&](PanelUnderTest& panel) {
        const HWND keyboard = OpenFromKeyMenu(panel, OpenKeyPage(panel), kFunctionMenuKeyboard, title);
        if (typed && keyboard != nullptr) {
            RECT client{};
            GetClientRect(keyboard, &client);
            for (POINT at : {POINT{10, 60}, POINT{client.right / 4, 100}})
                PostMessageA(keyboard, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        }
        tour.Photos().Shoot(name, {keyboard});
        CancelModal(keyboard);
    });
}

void Launch(Tour& tour, PanelBrandUnderTest brand, const std::string& prefix)
{
    WithPanel(tour, {brand, -1, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        const HWND launch = OpenFromKeyMenu(panel, OpenKeyPage(panel), kFunctionMenuLaunch, "Utility");
        if (launch != nullptr) {
            SendWithin(GetDlgItem(launch, IDC_LAUNCH_PATH), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>("C:\\Program Files\\Paint\\paint.exe"));
            SendWithin(GetDlgItem(launch, IDC_LAUNCH_PARAMETERS), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("/new"));
        }
        tour.Photos().Shoot(prefix + "launch", {launch});
        CancelModal(launch);
    });
}

void About(Tour& tour, PanelBrandUnderTest brand, const std::string& prefix)
{
    WithPanel(tour, {brand, -1, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        Press(panel.MainWindow(), IDC_ABOUT);
        tour.ShootMain(prefix + "main_about", panel);
    });
}

void LanguageDialog(Tour& tour, PanelBrandUnderTest brand, const std::string& prefix)
{
    WithPanel(tour, {brand, -1, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        const HWND dialog = OpenLanguageDialog(panel);
        tour.Photos().Shoot(prefix + "language", {dialog});
        CancelModal(dialog);
    });
}

// ---- the companions ---------------------------------------------------------

HWND WaitForWindow(const char* className, const char* title)
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowA(className, title)) != nullptr && IsWindowVisible(window); },
              kWindowTimeoutMs);
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

// The companions run beside the library form with their language file,
// after the panel has shown the key page of the ten-slot tablet, as a user's
// would have done, so that the key area holds that tablet's keys.
std::unique_ptr<PanelUnderTest> CompanionPartner(Tour& tour, std::vector<std::string>& environment)
{
    std::unique_ptr<PanelUnderTest> partner = tour.OpenPanel({PanelBrandUnderTest::Stylora, -1, kTwoKeyTablets});
    if (partner == nullptr)
        return nullptr;
    OpenKeyPage(*partner);
    Tour::ClosePanel(*partner);
    const std::string language = ReadAll(tour.Package() + "\\companions\\language.ini");
    if (!language.empty())
        partner->WriteSettingsFile("Stylora\\language.ini", language);
    environment = {"INKBRID_PROGRAM_FILES=" + partner->Settings().Path()};
    return partner;
}

// The express-key overlay with labels of a few actions.
void Keyveil(Tour& tour)
{
    std::vector<std::string> environment;
    const std::unique_ptr<PanelUnderTest> partner = CompanionPartner(tour, environment);
    if (partner == nullptr)
        return;
    PutOverlayActions(partner->KeyArea());
    ChildProcess overlay;
    if (!overlay.Start("Keyveil.exe", "showkeyboard", environment))
        return;
    const HWND window = WaitForWindow(nullptr, "QXKorin3ShowKeyboard2009");
    tour.Photos().Shoot("keyveil", {window});
    PostMessageA(window, WM_KEYOVERLAY_CLOSE, 2, 0);
    if (overlay.Wait(kWindowTimeoutMs) == -1)
        overlay.Kill();
}

// The double-click dialog and its language dialog.
void Mousora(Tour& tour)
{
    std::vector<std::string> environment;
    const std::unique_ptr<PanelUnderTest> partner = CompanionPartner(tour, environment);
    ChildProcess mousora;
    if (partner == nullptr || !mousora.Start("Mousora.exe", "", environment))
        return;
    const HWND dialog = WaitForWindow("#32770", "Mousora");
    tour.Photos().Shoot("mousora", {dialog});
    PostMessageA(dialog, WM_SYSCOMMAND, kLanguageCommand, 0);
    const HWND chooser = WaitForWindow("#32770", "Dialog");
    tour.Photos().Shoot("mousora_language", {chooser});
    CancelModal(chooser);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    if (mousora.Wait(kWindowTimeoutMs) == -1)
        mousora.Kill();
}

// ---- the second brand -------------------------------------------------------

const PanelBrandUnderTest kPenmira = PanelBrandUnderTest::Penmira;

void PenmiraMain(Tour& tour, int language, const std::string& name)
{
    WithPanel(tour, {kPenmira, language, kTwoKeyTablets}, [&](PanelUnderTest& panel) {
        tour.ShootMain(name, panel);
    });
}

void PenmiraKeyPage(Tour& tour)
{
    WithPanel(tour, {kPenmira, -1, "7A4B:5A25"}, [&](PanelUnderTest& panel) {
        // The page's button is hidden in this brand; its command still opens the page.
        OpenKeyPage(panel);
        tour.ShootMain("penmira_main_keys", panel);
    });
}

std::vector<Step> Steps()
{
    const PanelSetup stylora{PanelBrandUnderTest::Stylora, -1, kTwoKeyTablets};
    std::vector<Step> steps = {
        {{"main_pen"}, PenPage},
        {{"pen_function_menu"}, PenFunctionMenu},
        {{"pen_click_entry"}, PenClickEntry},
        {{"pen_try_here"}, PenTryHere},
        {{"main_mapping"}, [](Tour& t) { MappingPage(t, PanelBrandUnderTest::Stylora, ""); }},
        {{"area_picker", "main_mapping_picked"}, [](Tour& t) { AreaPicker(t, PanelBrandUnderTest::Stylora, ""); }},
        {{"calibration"}, [](Tour& t) { Calibration(t, PanelBrandUnderTest::Stylora, ""); }},
        {{"main_keys", "keys_eighteen"}, KeyPages},
        {{"key_menu"}, KeyMenu},
        {{"keyboard"}, [stylora](Tour& t) { Keyboard(t, stylora, "Keyboard", "keyboard", true); }},
        {{"launch"}, [](Tour& t) { Launch(t, PanelBrandUnderTest::Stylora, ""); }},
        {{"main_about"}, [](Tour& t) { About(t, PanelBrandUnderTest::Stylora, ""); }},
        {{"language"}, [](Tour& t) { LanguageDialog(t, PanelBrandUnderTest::Stylora, ""); }},
    };
    // Every keyboard layout that a language index chooses.
    for (int language : {3, 4, 5, 6}) {
        const std::string name = "keyboard_layout_" + std::to_string(language);
        const PanelSetup setup{PanelBrandUnderTest::Stylora, language, kTwoKeyTablets};
        steps.push_back({{name}, [setup, name](Tour& t) { Keyboard(t, setup, "Keyboard", name, false); }});
    }
    const std::vector<Step> others = {
        {{"keyveil"}, Keyveil},
        {{"mousora", "mousora_language"}, Mousora},
        {{"penmira_main_pen"}, [](Tour& t) { PenmiraMain(t, -1, "penmira_main_pen"); }},
        {{"penmira_main_language3"}, [](Tour& t) { PenmiraMain(t, 3, "penmira_main_language3"); }},
        {{"penmira_main_mapping"}, [](Tour& t) { MappingPage(t, kPenmira, "penmira_"); }},
        {{"penmira_area_picker", "penmira_main_mapping_picked"}, [](Tour& t) { AreaPicker(t, kPenmira, "penmira_"); }},
        {{"penmira_calibration"}, [](Tour& t) { Calibration(t, kPenmira, "penmira_"); }},
        {{"penmira_main_about"}, [](Tour& t) { About(t, kPenmira, "penmira_"); }},
        {{"penmira_language"}, [](Tour& t) { LanguageDialog(t, kPenmira, "penmira_"); }},
        {{"penmira_main_keys"}, PenmiraKeyPage},
        {{"penmira_keyboard"},
         [](Tour& t) { Keyboard(t, {kPenmira, -1, "7A4B:5A25"}, "Keyboard", "penmira_keyboard", true); }},
        {{"penmira_launch"}, [](Tour& t) { Launch(t, kPenmira, "penmira_"); }},
    };
    steps.insert(steps.end(), others.begin(), others.end());
    return steps;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: PanelScreenTour <output folder> [<package data folder>]\n");
        return 2;
    }
    setvbuf(stdout, nullptr, _IONBF, 0);
    Photographer photographer(argv[1]);
    Tour tour(photographer, argc > 2 ? argv[2] : "");
    std::vector<std::string> missing;
    for (const Step& step : Steps()) {
        step.run(tour);
        for (const std::string& picture : step.pictures)
            if (!photographer.Taken(picture))
                missing.push_back(picture);
    }
    if (missing.empty())
        return 0;
    std::printf("windows not photographed:");
    for (const std::string& picture : missing)
        std::printf(" %s", picture.c_str());
    std::printf("\n");
    return 1;
}
