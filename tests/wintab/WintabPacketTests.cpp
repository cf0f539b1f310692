// WTPacketsGet takes the packets the service put into the ring, under the
// ring lock, in the 32-byte layout the panel reads.
#include "WintabClient.h"

#include "ChildProcess.h"
#include "FakeService.h"

#include <doctest/doctest.h>

#include <climits>
#include <vector>

namespace {

constexpr int PANEL_MAX = wintab::MAX_PACKETS_PER_GET;

// A fake service with one enabled context open on a window.
struct RingFixture {
    FakeService service;
    ContextWindow window;
    std::unique_ptr<OpenContext> context;

    RingFixture()
    {
        REQUIRE(service.Start());
        context = std::make_unique<OpenContext>(window.Get());
        REQUIRE(context->Get() != nullptr);
        REQUIRE(service.WaitForCommands(2, 5000));
    }

    void Put(int first, int count)
    {
        for (int n = first; n < first + count; ++n)
            service.PutPacket(NumberedPacket(n));
    }
    void SetIndexes(int32_t read, int32_t write)
    {
        service.Connection().readIndex = read;
        service.Connection().writeIndex = write;
    }
    std::vector<wintab::PANELPACKET> Get(int max)
    {
        std::vector<wintab::PANELPACKET> packets(max > 0 ? max + 1 : 1);
        int count = WTPacketsGet(context->Get(), max, packets.data());
        REQUIRE(count >= 0);
        packets.resize(count);
        return packets;
    }
};

void CheckPacket(const wintab::PANELPACKET& got, int n)
{
    CAPTURE(n);
    RINGPACKET want = NumberedPacket(n);
    CHECK(got.cursor == want.cursor);
    CHECK(got.buttons == want.buttons);
    CHECK(got.x == want.x);
    CHECK(got.y == want.y);
    CHECK(got.normalPressure == want.normalPressure);
    CHECK(got.azimuth == want.azimuth);
    CHECK(got.altitude == want.altitude);
    CHECK(got.twist == want.twist);
}

void CheckNumbered(const std::vector<wintab::PANELPACKET>& packets, int first)
{
    for (size_t at = 0; at < packets.size(); ++at)
        CheckPacket(packets[at], first + static_cast<int>(at));
}

}  // namespace

TEST_SUITE("wintab packets")
{
    TEST_CASE("packets come out in order with the panel's fields")
    {
        RingFixture ring;
        ring.Put(0, 5);
        std::vector<wintab::PANELPACKET> packets = ring.Get(PANEL_MAX);
        REQUIRE(packets.size() == 5);
        CheckNumbered(packets, 0);
        CHECK(ring.Get(PANEL_MAX).empty());
        CHECK(ring.service.Connection().readIndex == 5);
    }

    TEST_CASE("no call takes more than it is asked for")
    {
        struct Case {
            int queued;
            int max;
            int taken;
        };
        const Case cases[] = {{10, 4, 4}, {10, 10, 10}, {3, 64, 3}, {100, 64, 64}, {10, 1, 1}, {10, 0, 0}, {10, -5, 0}};
        for (const Case& c : cases) {
            CAPTURE(c.queued);
            CAPTURE(c.max);
            RingFixture ring;
            ring.Put(0, c.queued);
            std::vector<wintab::PANELPACKET> first = ring.Get(c.max);
            REQUIRE(static_cast<int>(first.size()) == c.taken);
            CheckNumbered(first, 0);
            std::vector<wintab::PANELPACKET> rest = ring.Get(127);
            REQUIRE(static_cast<int>(rest.size()) == c.queued - c.taken);
            CheckNumbered(rest, c.taken);
        }
    }

    TEST_CASE("no buffer empties the whole queue")
    {
        RingFixture ring;
        ring.Put(0, 100);
        CHECK(WTPacketsGet(ring.context->Get(), PANEL_MAX, nullptr) == 100);
        CHECK(ring.Get(PANEL_MAX).empty());
        ring.Put(200, 2);
        CHECK(WTPacketsGet(ring.context->Get(), PANEL_MAX, nullptr) == 2);
        CHECK(ring.service.Connection().readIndex == ring.service.Connection().writeIndex);
    }

    TEST_CASE("reading wraps around the end of the ring")
    {
        RingFixture ring;
        ring.SetIndexes(125, 125);
        ring.Put(0, 6);
        CHECK(ring.service.Connection().writeIndex == 3);
        std::vector<wintab::PANELPACKET> packets = ring.Get(PANEL_MAX);
        REQUIRE(packets.size() == 6);
        CheckNumbered(packets, 0);
        CHECK(ring.service.Connection().readIndex == 3);
    }

    TEST_CASE("a full ring hands out the newest 127 packets")
    {
        RingFixture ring;
        ring.Put(0, 130);
        std::vector<wintab::PANELPACKET> first = ring.Get(PANEL_MAX);
        std::vector<wintab::PANELPACKET> second = ring.Get(PANEL_MAX);
        REQUIRE(first.size() == 64);
        REQUIRE(second.size() == 63);
        CheckNumbered(first, 3);
        CheckNumbered(second, 67);
        CHECK(ring.Get(PANEL_MAX).empty());
    }

    TEST_CASE("indexes outside the ring are never followed")
    {
        struct Case {
            const char* name;
            int32_t read;
            int32_t write;
            int32_t readAfter;  // the read index the library leaves
        };
        const Case cases[] = {
            {"read index past the end", 500, 3, 3},
            {"negative read index", -1, 3, 3},
            {"read index at the capacity", 128, 0, 0},
            {"write index past the end", 3, 128, 3},
            {"negative write index", 3, -7, 3},
            {"both far out", INT_MAX, INT_MIN, INT_MAX},
        };
        for (const Case& c : cases) {
            CAPTURE(c.name);
            RingFixture ring;
            ring.SetIndexes(c.read, c.write);
            CHECK(ring.Get(PANEL_MAX).empty());
            CHECK(WTPacketsGet(ring.context->Get(), PANEL_MAX, nullptr) == 0);
            CHECK(ring.service.Connection().readIndex == c.readAfter);
            CHECK(ring.service.Connection().writeIndex == c.write);
        }
    }

    TEST_CASE("packets wait while a writer holds the ring lock, and a lock never given back is freed")
    {
        RingFixture ring;
        ring.Put(0, 4);
        // Taken and kept, as by a writer that died holding it.
        REQUIRE(ring.service.HoldRingLock(1000));
        CHECK(ring.Get(PANEL_MAX).empty());
        CHECK(ring.service.Connection().readIndex == 0);
        // That call waited out the writers' own limit and freed the lock.
        std::vector<wintab::PANELPACKET> packets = ring.Get(PANEL_MAX);
        REQUIRE(packets.size() == 4);
        CheckNumbered(packets, 0);
        // The library gave the lock back: a writer gets it at once.
        CHECK(ring.service.HoldRingLock(0));
        ring.service.ReleaseRingLock();
    }

    TEST_CASE("a client that faults on its own packet buffer has given the ring lock back first")
    {
        FakeService service;
        REQUIRE(service.Start());
        for (int n = 0; n < 5; ++n)
            service.PutPacket(NumberedPacket(n));
        int code = 0;
        const std::string output = RunToEnd("wintab_client.exe", "fault", &code, 30000);
        REQUIRE(output.rfind("context ", 0) == 0);
        // It died on its read-only buffer (neither ended nor returned), after taking the packets.
        CHECK(code != -1);
        CHECK(code != 6);
        CHECK(service.Connection().readIndex == 5);
        // The service's writers are not locked out by the dead client.
        CHECK(service.HoldRingLock(0));
        service.ReleaseRingLock();
    }

    TEST_CASE("a disabled, closed or unknown context takes nothing")
    {
        RingFixture ring;
        OpenContext disabled(ring.window.Get(), false);
        REQUIRE(disabled.Get() != nullptr);
        ring.Put(0, 3);
        wintab::PANELPACKET packets[PANEL_MAX];
        CHECK(WTPacketsGet(disabled.Get(), PANEL_MAX, packets) == 0);
        CHECK(WTPacketsGet(disabled.Get(), PANEL_MAX, nullptr) == 0);
        CHECK(WTPacketsGet(reinterpret_cast<HCTX>(static_cast<uintptr_t>(12345)), PANEL_MAX, packets) == 0);
        CHECK(WTPacketsGet(nullptr, PANEL_MAX, packets) == 0);
        CHECK(ring.service.Connection().readIndex == 0);

        HCTX closed = ring.context->Get();
        ring.context.reset();
        CHECK(WTPacketsGet(closed, PANEL_MAX, packets) == 0);
        CHECK(ring.service.Connection().readIndex == 0);
    }
}
