// Drives the real control panel through each of its windows and saves a
// picture of each as a bitmap file, for scripts/screens. The panel runs beside
// the library form in a host, with the package's installed data files.
//
// Usage: PanelScreenTour.exe <output folder> [<package data folder>]
#include "PanelUnderTest.h"
#include "ServiceCodes.h"
#include "TempFolder.h"
#include "ids_main.h"

#include <windows.h>

#include <cstdio>
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

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: PanelScreenTour <output folder> [<package data folder>]\n");
        return 2;
    }
    PanelUnderTest panel(PanelPartner::LibraryForm);
    if (argc > 2) {
        for (const char* file : {"StyloraInfo.ked", "language.ini"}) {
            const std::string contents = ReadAll(std::string(argv[2]) + "\\Tablet\\" + file);
            if (!contents.empty())
                panel.WriteSettingsFile(std::string("Tablet\\") + file, contents);
        }
    }
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
        {"main_mapping", [&] { panel.Click(IDC_MAPPING); tour.ShootMain("main_mapping"); }},
        {"main_keys", [&] { panel.Click(IDC_KEY_SETTING); tour.ShootMain("main_keys"); }},
        {"main_about", [&] { panel.Click(IDC_ABOUT); tour.ShootMain("main_about"); }},
        {"language", [&] {
             PostMessageA(panel.MainWindow(), WM_SYSCOMMAND, 16, 0);
             const HWND dialog = panel.WaitForPanelWindow("Language");
             tour.Shoot("language", {dialog});
             if (dialog != nullptr)
                 PanelUnderTest::ClickIn(dialog, IDCANCEL);
         }},
    };
    for (const auto& step : steps)
        step.second();
    panel.Click(IDCANCEL);
    panel.WaitForPanelExit(5000);
    return tour.failures == 0 ? 0 : 1;
}
