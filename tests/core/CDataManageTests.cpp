#include "CDataManage.h"
#include "SharedSections.h"

#include <doctest/doctest.h>

#include <climits>
#include <cstring>
#include <vector>

namespace {

class CountingLock : public IRingLock {
public:
    int acquired = 0;
    int released = 0;
    bool waitFails = false;
    bool Acquire() override
    {
        ++acquired;
        return !waitFails;
    }
    void Release() override { ++released; }
};

// The ring as it lies in the connection section, with guard slots on both
// sides to catch a write outside it.
struct RingFixture {
    static constexpr uint32_t GUARD = 0xDEADBEEF;
    RINGPACKET slots[RING_CAPACITY + 2];
    int32_t readIndex = 0;
    int32_t writeIndex = 0;
    CountingLock lock;
    CDataManage ring;

    RingFixture()
    {
        std::memset(slots, 0, sizeof slots);
        slots[0].serialNumber = slots[RING_CAPACITY + 1].serialNumber = GUARD;
        ring.Attach(Packets(), &readIndex, &writeIndex, true);
        ring.SetLock(&lock);
    }
    RINGPACKET* Packets() { return slots + 1; }
    bool GuardsIntact() const
    {
        return slots[0].serialNumber == GUARD && slots[RING_CAPACITY + 1].serialNumber == GUARD;
    }
    void Put(uint32_t serial)
    {
        RINGPACKET packet{};
        packet.serialNumber = serial;
        CHECK(ring.PutPacket(packet) == 1);
    }
    // What the reader in the application would take out.
    std::vector<uint32_t> Drain()
    {
        std::vector<uint32_t> serials;
        for (int32_t i = readIndex; i != writeIndex; i = (i + 1) % RING_CAPACITY)
            serials.push_back(Packets()[i].serialNumber);
        readIndex = writeIndex;
        return serials;
    }
};

}  // namespace

TEST_SUITE("packet ring")
{
    TEST_CASE_FIXTURE(RingFixture, "fill, overflow and wrap without a read")
    {
        struct Row { uint32_t written; size_t readable; uint32_t oldest; };
        const Row rows[] = {{1, 1, 1}, {127, 127, 1}, {128, 127, 2}, {300, 127, 174}};
        for (const Row& row : rows) {
            CAPTURE(row.written);
            ring.Reset();
            for (uint32_t serial = 1; serial <= row.written; ++serial) {
                Put(serial);
                REQUIRE(readIndex >= 0);
                REQUIRE(readIndex < RING_CAPACITY);
                REQUIRE(writeIndex >= 0);
                REQUIRE(writeIndex < RING_CAPACITY);
            }
            const std::vector<uint32_t> read = Drain();
            REQUIRE(read.size() == row.readable);
            CHECK(read.front() == row.oldest);
            CHECK(read.back() == row.written);
            for (size_t i = 1; i < read.size(); ++i)
                CHECK(read[i] == read[i - 1] + 1);
        }
        CHECK(GuardsIntact());
    }

    TEST_CASE_FIXTURE(RingFixture, "a reset discards unread packets")
    {
        for (uint32_t serial = 1; serial <= 50; ++serial)
            Put(serial);
        ring.Reset();
        CHECK(readIndex == 0);
        CHECK(writeIndex == 0);
        CHECK(Drain().empty());
    }

    TEST_CASE_FIXTURE(RingFixture, "indexes damaged in shared memory never move a write outside the ring")
    {
        struct Row { int32_t read; int32_t write; int32_t slot; int32_t readAfter; };
        const Row rows[] = {
            {0, 128, 0, 0}, {5, -1, 127, 5}, {INT_MAX, INT_MIN, 0, 127}, {5000, 5000, 8, 8}, {-128, 127, 127, 1},
        };
        for (const Row& row : rows) {
            CAPTURE(row.write);
            readIndex = row.read;
            writeIndex = row.write;
            Put(77);
            CHECK(GuardsIntact());
            CHECK(Packets()[row.slot].serialNumber == 77);
            CHECK(writeIndex == (row.slot + 1) % RING_CAPACITY);
            CHECK(readIndex == row.readAfter);
            CHECK(ring.GetWriteIndex() == writeIndex);
            Packets()[row.slot].serialNumber = 0;
        }
    }

    TEST_CASE_FIXTURE(RingFixture, "every write holds the lock and a failed wait writes nothing")
    {
        Put(1);
        Put(2);
        CHECK(lock.acquired == 2);
        CHECK(lock.released == 2);

        lock.waitFails = true;
        Put(3);
        CHECK(lock.released == 2);
        CHECK(writeIndex == 2);

        ring.SetLock(nullptr);  // the second-brand build has no lock
        Put(4);
        CHECK(lock.acquired == 3);
        CHECK(Drain() == std::vector<uint32_t>{1, 2, 4});
    }

    TEST_CASE("attaching without a reset keeps the indexes and an unattached ring writes nothing")
    {
        CDataManage ring;
        RINGPACKET packet{};
        CHECK(ring.PutPacket(packet) == 1);
        CHECK(ring.GetWriteIndex() == 0);

        std::vector<RINGPACKET> packets(RING_CAPACITY);
        int32_t readIndex = 3, writeIndex = 9;
        ring.Attach(packets.data(), &readIndex, &writeIndex, false);
        CHECK(ring.GetReadIndex() == 3);
        CHECK(ring.GetWriteIndex() == 9);
        ring.Attach(packets.data(), &readIndex, &writeIndex, true);
        CHECK(ring.GetReadIndex() == 0);
        CHECK(ring.GetWriteIndex() == 0);
    }
}
