#include "RecordedStroke.h"

#include <cmath>

namespace {

constexpr int STROKES = 12;
constexpr int STROKE_REPORTS = 250;
constexpr int HOVER_REPORTS = 60;
constexpr int BUTTON_REPORTS = 20;

RawPenReport PenPacket(uint8_t status, int x, int y, int pressure, int tiltX, int tiltY)
{
    return penreport::Pen(status, static_cast<uint16_t>(x), static_cast<uint16_t>(y),
                          static_cast<uint16_t>(pressure), static_cast<uint8_t>(tiltX), static_cast<uint8_t>(tiltY));
}

}  // namespace

std::vector<RawPenReport> RecordedStroke::Make()
{
    std::vector<RawPenReport> reports;
    reports.push_back(penreport::Tool(0x802));
    int x = 2000;
    int y = 2000;
    for (int stroke = 0; stroke < STROKES; ++stroke) {
        for (int i = 0; i < HOVER_REPORTS; ++i)
            reports.push_back(PenPacket(0xA0, x + 3 * i, y + 2 * i, 0, 32 + i % 8, 64 - i % 8));
        x += 3 * HOVER_REPORTS;
        y += 2 * HOVER_REPORTS;
        for (int i = 0; i < STROKE_REPORTS; ++i) {
            double t = static_cast<double>(i) / STROKE_REPORTS;
            int px = x + static_cast<int>(1500.0 * std::sin(6.2832 * t + stroke));
            int py = y + static_cast<int>(900.0 * std::sin(3.1416 * t));
            int pressure = 60 + static_cast<int>(900.0 * std::sin(3.1416 * t));
            reports.push_back(PenPacket(0xA0, px, py, pressure, 20 + (i / 7) % 30, 40 + (i / 5) % 60));
        }
        // A lift, then a pen-button click while hovering.
        for (int i = 0; i < BUTTON_REPORTS; ++i) {
            uint8_t status = i >= 5 && i < 12 ? (stroke % 2 ? 0xA4 : 0xA2) : 0xA0;
            reports.push_back(PenPacket(status, x, y, 0, 32, 64));
        }
    }
    reports.push_back(penreport::Leave());
    return reports;
}
