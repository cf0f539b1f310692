// The display devices attached to the desktop, as the mapping page lists
// them: their positions and sizes for the arithmetic, and a DC of each for
// the live thumbnails. Each enumeration replaces the previous list and
// deletes its DCs.
#pragma once

#include "MonitorLayout.h"

#include <windows.h>

#include <vector>

class DisplayMonitors {
public:
    DisplayMonitors() = default;
    ~DisplayMonitors() { Release(); }
    DisplayMonitors(const DisplayMonitors&) = delete;
    DisplayMonitors& operator=(const DisplayMonitors&) = delete;

    // Lists the monitors again; the count.
    size_t Enumerate();
    const MonitorLayout& Layout() const { return m_layout; }
    // The display DC of monitor k, or null past the list.
    HDC DeviceContext(size_t index) const { return index < m_dcs.size() ? m_dcs[index] : nullptr; }

private:
    void Release();

    MonitorLayout m_layout;
    std::vector<HDC> m_dcs;
};
