#include "CDataManage.h"
#include "SharedSections.h"

#include <doctest/doctest.h>

#include <climits>
#include <vector>

namespace {

struct CountingLock : IRingLock {
    int acquired = 0, released = 0;
    bool waitFails = false;
    bool Acquire() override { return ++acquired, !waitFails; }
    void Release() override { ++released; }
};

// The ring as the connection section holds it, between two guard slots.
struct RingFixture {
    RINGPACKET slots[RING_CAPACITY + 2] = {};
    int32_t readIndex = 0, writeIndex = 0;
    CountingLock lock;
    CDataManage ring;

    RingFixture() { ring.Attach(slots + 1, &readIndex, &writeIndex, true), ring.SetLock(&lock); }
    void Put(uint32_t serial)
    {
        RINGPACKET packet{};
        packet.serialNumber = serial;
        CHECK(ring.PutPacket(packet) == 1);
        CHECK(slots[0].serialNumber + slots[RING_CAPACITY + 1].serialNumber == 0);
    }
    // What the reader in the application takes out.
    std::vector<uint32_t> Drain()
    {
        std::vector<uint32_t> serials;
        for (int32_t i = readIndex; i != writeIndex; i = (i + 1) % RING_CAPACITY)
            serials.push_back(slots[1 + i].serialNumber);
        readIndex = writeIndex;
        return serials;
    }
};

}  // namespace

TEST_SUITE("packet ring")
{
    TEST_CASE_FIXTURE(RingFixture, "fill, overflow, wrap and reset")
    {
        struct Row { uint32_t written; size_t readable; };
        for (const Row& row : {Row{1, 1}, Row{127, 127}, Row{128, 127}, Row{300, 127}}) {
            CAPTURE(row.written);
            for (uint32_t serial = 1; serial <= row.written; ++serial) {
                Put(serial);
                REQUIRE(static_cast<uint32_t>(readIndex | writeIndex) < RING_CAPACITY);
            }
            const std::vector<uint32_t> read = Drain();
            REQUIRE(read.size() == row.readable);
            CHECK(read.front() == row.written + 1 - row.readable);  // in order, the oldest dropped
            CHECK(read.back() == row.written);
            Put(0);
            ring.Reset();
            CHECK(Drain().empty());
        }
    }

    TEST_CASE_FIXTURE(RingFixture, "indexes damaged in shared memory never move a write outside the ring")
    {
        struct Row { int32_t read, write, slot, readAfter; };
        for (const Row& row : {Row{0, 128, 0, 0}, Row{5, -1, 127, 5}, Row{INT_MAX, INT_MIN, 0, 127},
                               Row{5000, 5000, 8, 8}, Row{-128, 127, 127, 1}}) {
            CAPTURE(row.write);
            readIndex = row.read;
            writeIndex = row.write;
            Put(77);
            CHECK(slots[1 + row.slot].serialNumber == 77);
            CHECK(writeIndex == (row.slot + 1) % RING_CAPACITY);
            CHECK(readIndex == row.readAfter);
            slots[1 + row.slot].serialNumber = 0;
        }
    }

    TEST_CASE_FIXTURE(RingFixture, "every write holds the lock and a failed wait writes nothing")
    {
        Put(1);
        lock.waitFails = true;
        Put(2);
        CHECK(lock.acquired == 2);
        CHECK(lock.released == 1);
        ring.SetLock(nullptr);  // the second-brand build has no lock
        Put(3);
        CHECK(Drain() == std::vector<uint32_t>{1, 3});
    }
}
