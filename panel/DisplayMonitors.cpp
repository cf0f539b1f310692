#include "DisplayMonitors.h"

#ifdef INKBRID_TEST_SEAMS
#include <cstdio>
#include <cstdlib>
#endif

namespace {

#ifdef INKBRID_TEST_SEAMS
// In the test build a test may lay out monitors the display does not have:
// INKBRID_TEST_MONITORS names a file of "x y width height flags" lines, read
// at every enumeration so that a test can change it before a display change.
// Such monitors have no DC, so their thumbnails stay empty.
bool ReadTestMonitors(std::vector<MonitorInfo>& monitors)
{
    const char* path = std::getenv("INKBRID_TEST_MONITORS");
    if (path == nullptr)
        return false;
    if (FILE* file = std::fopen(path, "r")) {
        MonitorInfo m;
        while (std::fscanf(file, "%d %d %d %d %d", &m.x, &m.y, &m.width, &m.height, &m.flags) == 5)
            monitors.push_back(m);
        std::fclose(file);
    }
    return true;
}
#else
bool ReadTestMonitors(std::vector<MonitorInfo>&) { return false; }
#endif

int32_t FlagsOfMonitorAt(const DEVMODEA& mode)
{
    const POINT inside{mode.dmPosition.x + 10, mode.dmPosition.y + 10};
    HMONITOR monitor = ::MonitorFromPoint(inside, MONITOR_DEFAULTTONULL);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !::GetMonitorInfoA(monitor, &info))
        return 0;
    return static_cast<int32_t>(info.dwFlags);
}

}  // namespace

size_t DisplayMonitors::Enumerate()
{
    Release();
    std::vector<MonitorInfo> monitors;
    if (ReadTestMonitors(monitors)) {
        m_dcs.assign(monitors.size(), nullptr);
        m_layout = MonitorLayout(std::move(monitors));
        return m_layout.Count();
    }
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    for (DWORD number = 0; ::EnumDisplayDevicesA(nullptr, number, &device, 0); ++number, device.cb = sizeof device) {
        if ((device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) == 0 ||
            (device.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) != 0)
            continue;
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        if (!::EnumDisplaySettingsExA(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode, 0))
            continue;
        MonitorInfo monitor;
        monitor.x = mode.dmPosition.x;
        monitor.y = mode.dmPosition.y;
        monitor.width = static_cast<int32_t>(mode.dmPelsWidth);
        monitor.height = static_cast<int32_t>(mode.dmPelsHeight);
        monitor.flags = FlagsOfMonitorAt(mode);
        monitors.push_back(monitor);
        m_dcs.push_back(::CreateDCA(device.DeviceName, nullptr, nullptr, nullptr));
    }
    m_layout = MonitorLayout(std::move(monitors));
    return m_layout.Count();
}

void DisplayMonitors::Release()
{
    for (HDC dc : m_dcs) {
        if (dc != nullptr)
            ::DeleteDC(dc);
    }
    m_dcs.clear();
    m_layout = MonitorLayout();
}
