// Drives the pen page of a running panel with the scripted desk tablet: the
// panel beside the library form, the tablet mapped onto the whole desktop,
// pen reports aimed at screen pixels of the try-here area, and the area's
// pixels read back from the screen.
#pragma once

#include "PanelUnderTest.h"
#include "TestPipe.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class TryHereDriver {
public:
    static constexpr uint8_t kHover = 0xA0;
    static constexpr uint8_t kTip = 0xA1;
    static constexpr uint8_t kButton1 = 0xA2;
    static constexpr uint8_t kLeave = 0x80;
    static constexpr int kUprightTilt = 64;

    explicit TryHereDriver(PanelUnderTest& panel) : panel_(panel) {}

    // Plugs the tablet into the library form, starts it and the panel; false
    // when any of it fails.
    bool Start();

    // The try-here area's client rectangle on the screen.
    RECT Area() const;
    // A point of the area by fractions of its width and height.
    POINT AreaPoint(double across, double down) const;

    // A pen report aimed at a screen pixel, built ahead of sending it.
    static std::vector<uint8_t> PenReport(uint8_t status, POINT pixel, int pressure, int tiltY = kUprightTilt);
    // Writes a built report to the tablet; returns once the pipe has it.
    bool Send(const std::vector<uint8_t>& report);
    // One pen report aimed at a screen pixel; `spacingMs` lets the panel take it in.
    bool Report(uint8_t status, POINT pixel, int pressure, int tiltY = kUprightTilt, DWORD spacingMs = 15);
    // Hover in, tip down along a line at one pressure, lift and leave.
    bool Stroke(POINT from, POINT to, int pressure, int steps = 24);

    // Tablet coordinates that the service maps onto a screen pixel.
    static POINT TabletPointOf(POINT pixel);
    static COLORREF ScreenPixel(POINT at);
    static bool IsInk(COLORREF colour) { return colour == RGB(0, 0, 0); }
    // Length of the run of ink through (x, y) in the column x, looked for within `reach` pixels.
    static int InkThickness(POINT at, int reach);
    // The pixels of a rectangle of the screen, row by row.
    static std::vector<COLORREF> Pixels(const RECT& rect);

private:
    PanelUnderTest& panel_;
    TestPipe* tablet_ = nullptr;
};
