// What the wintab tests share: a window to open contexts on, the panel's
// context and packets with fields that tell them apart.
#pragma once

#include "WintabApi.h"

#include "SharedSections.h"

#include <windows.h>

// A message-only window: a real window handle without a display.
class ContextWindow {
public:
    ContextWindow()
        : window_(CreateWindowExA(0, "STATIC", "wintab test", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
    }
    ~ContextWindow()
    {
        if (window_ != nullptr)
            DestroyWindow(window_);
    }
    ContextWindow(const ContextWindow&) = delete;
    ContextWindow& operator=(const ContextWindow&) = delete;

    HWND Get() const { return window_; }

private:
    HWND window_;
};

// The default system context with the changes the panel makes.
inline wintab::LOGCONTEXTA PanelContext()
{
    wintab::LOGCONTEXTA system{};
    WTInfoA(wintab::WTI_DEFSYSCTX, 0, &system);
    return wintab::PanelContextFrom(system);
}

// A context opened and closed with the test.
class OpenContext {
public:
    OpenContext(HWND window, bool enable = true)
    {
        wintab::LOGCONTEXTA context = PanelContext();
        handle_ = WTOpenA(window, &context, enable ? TRUE : FALSE);
    }
    ~OpenContext()
    {
        if (handle_ != nullptr)
            WTClose(handle_);
    }
    OpenContext(const OpenContext&) = delete;
    OpenContext& operator=(const OpenContext&) = delete;

    HCTX Get() const { return handle_; }
    int32_t Id() const { return static_cast<int32_t>(reinterpret_cast<uintptr_t>(handle_)); }

private:
    HCTX handle_ = nullptr;
};

// Packet number n: every field different from the other packets' and from
// its neighbours in the record.
inline RINGPACKET NumberedPacket(int n)
{
    RINGPACKET packet{};
    packet.context = 0;
    packet.status = (n % 2) ? 0x10 : 0;
    packet.time = 1000 + n;
    packet.changed = 0x14;
    packet.serialNumber = 500 + n;
    packet.cursor = (n % 2) ? 2 : 1;
    packet.buttons = n % 3;
    packet.x = 100 * n + 1;
    packet.y = 100 * n + 2;
    packet.z = 7;
    packet.normalPressure = 10 * n + 3;
    packet.tangentPressure = 9;
    packet.azimuth = 10 * n + 4;
    packet.altitude = (n % 2) ? -(300 + n) : 300 + n;
    packet.twist = n + 5;
    packet.pitch = 11;
    packet.roll = 12;
    packet.yaw = 13;
    return packet;
}
