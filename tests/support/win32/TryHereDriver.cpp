#include "TryHereDriver.h"

#include "LibraryHostBench.h"
#include "ScriptedReports.h"
#include "TabletBench.h"

namespace {

constexpr int kTryHereId = 1008;
constexpr int kSearchSpan = 8;

// The smallest tablet value whose pixel is `pixel` along one axis.
int TabletValueOf(int pixel, SIZE desktop, int tabletMax, bool horizontal)
{
    const int screenSize = horizontal ? desktop.cx : desktop.cy;
    const int guess = static_cast<int>(static_cast<double>(pixel) * tabletMax / screenSize);
    for (int value = guess - kSearchSpan; value <= guess + kSearchSpan; ++value) {
        const POINT at = horizontal ? DeskPixelOf(value, 0, desktop) : DeskPixelOf(0, value, desktop);
        if ((horizontal ? at.x : at.y) == pixel)
            return value;
    }
    return guess;
}

std::vector<uint8_t> TiltedPenReport(uint8_t status, POINT tablet, int pressure, int tiltY)
{
    std::vector<uint8_t> report = PenPacket(status, tablet.x, tablet.y, pressure);
    report[8] = static_cast<uint8_t>(tiltY & 0x7F);
    return report;
}

}  // namespace

bool TryHereDriver::Start()
{
    LibraryHostBench* host = panel_.Host();
    if (host == nullptr)
        return false;
    const TABLETINFO model = DeskModel();
    const std::vector<uint8_t> record = DeviceRecordOf(model);
    host->WriteSupportedTable({model});
    host->WriteSettingsFile("Tablet\\StyloraFind.ked", record.data(), record.size());
    tablet_ = &host->AddInterface(PenInterfaceOf(model));
    if (!panel_.StartPartner() || !tablet_->WaitConnected(10000) || !panel_.StartPanel() ||
        panel_.WaitForMainWindow() == nullptr)
        return false;
    // The panel opened its context on start and puts it on top as its window
    // becomes active: once its thread has taken the activation and its
    // commands are over, the first report finds it.
    const HWND main = panel_.MainWindow();
    SetForegroundWindow(main);
    const DWORD panelThread = GetWindowThreadProcessId(main, nullptr);
    const bool active = WaitUntil([&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(panelThread, &info) && info.hwndActive == main;
    }, 5000);
    panel_.Send(WM_NULL);
    return active && panel_.SettlePartner();
}

RECT TryHereDriver::Area() const
{
    const HWND area = panel_.Item(kTryHereId);
    RECT rect{};
    GetClientRect(area, &rect);
    MapWindowPoints(area, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT TryHereDriver::AreaPoint(double across, double down) const
{
    const RECT area = Area();
    return POINT{area.left + static_cast<LONG>((area.right - area.left) * across),
                 area.top + static_cast<LONG>((area.bottom - area.top) * down)};
}

POINT TryHereDriver::TabletPointOf(POINT pixel)
{
    // Each metric is asked once: under Wine a call costs a round trip to its server.
    const TABLETINFO model = DeskModel();
    const SIZE desktop{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return POINT{TabletValueOf(pixel.x, desktop, model.xMax, true), TabletValueOf(pixel.y, desktop, model.yMax, false)};
}

std::vector<uint8_t> TryHereDriver::PenReport(uint8_t status, POINT pixel, int pressure, int tiltY)
{
    return TiltedPenReport(status, TabletPointOf(pixel), pressure, tiltY);
}

bool TryHereDriver::Send(const std::vector<uint8_t>& report)
{
    return tablet_ != nullptr && tablet_->Send(report);
}

bool TryHereDriver::Report(uint8_t status, POINT pixel, int pressure, int tiltY, DWORD spacingMs)
{
    if (!Send(PenReport(status, pixel, pressure, tiltY)))
        return false;
    if (spacingMs != 0)
        Sleep(spacingMs);
    return true;
}

bool TryHereDriver::Stroke(POINT from, POINT to, int pressure, int steps)
{
    bool sent = Report(kHover, from, 0) && Report(kHover, from, 0);
    for (int step = 0; sent && step <= steps; ++step) {
        const POINT at{from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps};
        sent = Report(kTip, at, pressure);
    }
    // The smoothing filter trails the pen: a few more reports bring it to the end.
    for (int repeat = 0; sent && repeat < 6; ++repeat)
        sent = Report(kTip, to, pressure);
    return sent && Report(kHover, to, 0) && Report(kLeave, to, 0, kUprightTilt, 100);
}

COLORREF TryHereDriver::ScreenPixel(POINT at)
{
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

int TryHereDriver::InkThickness(POINT at, int reach)
{
    int thickest = 0;
    int run = 0;
    for (int y = at.y - reach; y <= at.y + reach; ++y) {
        run = IsInk(ScreenPixel(POINT{at.x, y})) ? run + 1 : 0;
        if (run > thickest)
            thickest = run;
    }
    return thickest;
}

std::vector<COLORREF> TryHereDriver::Pixels(const RECT& rect)
{
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x)
            pixels.push_back(GetPixel(screen, x, y));
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}
