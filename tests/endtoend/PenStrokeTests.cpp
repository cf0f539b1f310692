// A scripted tablet plays a hover, a stroke and a lift into the running
// service: the desktop pointer follows, a window receives the button down and
// up at the mapped place, and a WinTab32 client gets the packets.
#include "ScreenCanvas.h"
#include "ScriptedReports.h"
#include "ServiceCodes.h"
#include "TabletBench.h"
#include "WintabApi.h"

#include <doctest/doctest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int32_t TABLET_WIDTH = 10206;
constexpr int32_t TABLET_HEIGHT = 7422;

bool Near(POINT a, POINT b) { return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1; }

POINT PointOf(const MSG& message)
{
    return POINT{static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
}

}  // namespace

TEST_SUITE("end to end")
{
    TEST_CASE("a hover, a stroke and a lift reach the pointer, a window and a tablet client")
    {
        TabletBench bench;
        TestPipe* started = bench.StartWithTablet(DeskModel());
        REQUIRE(started != nullptr);
        TestPipe& tablet = *started;

        ScreenCanvas canvas({WT_PACKET, WM_LBUTTONDOWN, WM_LBUTTONUP, WT_PROXIMITY});
        REQUIRE(canvas.Window() != nullptr);
        wintab::LOGCONTEXTA context{};
        REQUIRE(WTInfoA(wintab::WTI_DEFSYSCTX, 0, &context) != 0);
        context.lcOptions |= wintab::CXO_MESSAGES | wintab::CXO_SYSTEM;
        context.lcPktData = wintab::PANEL_PACKET_DATA;
        context.lcPktMode = wintab::PANEL_PACKET_MODE;
        context.lcMoveMask = wintab::PANEL_PACKET_DATA;
        HCTX client = WTOpenA(canvas.Window(), &context, TRUE);
        REQUIRE(client != nullptr);
        canvas.Pump(300);
        WTPacketsGet(client, 64, nullptr);
        canvas.seen.clear();

        const int startX = 5103, startY = 3711, endX = 6000, endY = 4000;
        // Each report is echoed by the service's test seam before the pipeline
        // takes it; the client takes its packets as they are announced, since
        // leaving proximity empties the ring.
        std::vector<wintab::PANELPACKET> packets;
        auto play = [&](const std::vector<uint8_t>& report) {
            REQUIRE(tablet.Send(report));
            ReportEcho echo{};
            REQUIRE(bench.NextEcho(echo));
            canvas.Pump(40);
            wintab::PANELPACKET taken[64];
            const int count = WTPacketsGet(client, 64, taken);
            packets.insert(packets.end(), taken, taken + count);
        };

        // Hover: the pointer follows without a button.
        play(PenPacket(0xA0, startX, startY, 0));
        play(PenPacket(0xA0, startX, startY, 0));
        POINT cursor{};
        GetCursorPos(&cursor);
        CHECK(Near(cursor, DeskPixelOf(startX, startY)));
        CHECK(canvas.Count(WM_LBUTTONDOWN) == 0);

        // The stroke: the tip goes down where the pen is and moves with it.
        play(PenPacket(0xA1, startX, startY, 600));
        for (int step = 1; step <= 6; ++step)
            play(PenPacket(0xA1, startX + (endX - startX) * step / 6, startY + (endY - startY) * step / 6, 600));
        for (int repeat = 0; repeat < 8; ++repeat)
            play(PenPacket(0xA1, endX, endY, 600));
        // The lift releases where the pen was last injected.
        play(PenPacket(0xA0, endX, endY, 0));
        play(PenPacket(0x80, endX, endY, 0));
        canvas.Pump(200);

        const MSG* down = canvas.First(WM_LBUTTONDOWN);
        const MSG* up = canvas.First(WM_LBUTTONUP);
        REQUIRE(down != nullptr);
        REQUIRE(up != nullptr);
        CHECK(Near(PointOf(*down), DeskPixelOf(startX, startY)));
        CHECK(Near(PointOf(*up), DeskPixelOf(endX, endY)));
        GetCursorPos(&cursor);
        CHECK(Near(cursor, DeskPixelOf(endX, endY)));

        // The client heard of every packet and reads them from the ring.
        const int announced = canvas.Count(WT_PACKET);
        CHECK(announced >= 18);
        const int read = static_cast<int>(packets.size());
        CHECK(read == announced);
        int tipDown = 0;
        for (int i = 0; i < read; ++i) {
            CAPTURE(i);
            CHECK(packets[i].cursor == 1);
            CHECK(packets[i].x <= TABLET_WIDTH);
            CHECK(packets[i].y <= TABLET_HEIGHT);
            if (packets[i].buttons == 1) {
                ++tipDown;
                CHECK(packets[i].normalPressure > 0);
            }
        }
        CHECK(tipDown >= 14);
        // The packet positions are the screen positions on the tablet's scale.
        const wintab::PANELPACKET& last = packets[read - 1];
        CHECK(std::abs(last.x - endX) <= 2);
        CHECK(std::abs(last.y - endY) <= 2);

        // Once closed, the context is gone from the service: no more packets are announced.
        WTClose(client);
        canvas.Pump(200);
        canvas.seen.clear();
        REQUIRE(tablet.Send(PenPacket(0xA0, startX, startY, 0)));
        ReportEcho echo{};
        REQUIRE(bench.NextEcho(echo));
        canvas.Pump(200);
        CHECK(canvas.Count(WT_PACKET) == 0);
        CHECK(bench.Stop() == 1);
    }
}
