// The filter and the ring run for every pen report on a time-critical
// thread: they must not allocate. Counted natively by replacing the global
// allocation functions of this test program (they still end in malloc and
// free, which the address sanitizer watches).
#ifndef _WIN32

#include "CDataManage.h"
#include "CFilter.h"
#include "SharedSections.h"

#include <doctest/doctest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

namespace {
std::atomic<long> allocationCount{0};

// Kept out of line so the compiler does not pair the inlined free with the
// operator new it sees at the call site.
__attribute__((noinline)) void ReleaseBlock(void* block) { std::free(block); }
}  // namespace

void* operator new(std::size_t size)
{
    ++allocationCount;
    if (void* block = std::malloc(size != 0 ? size : 1))
        return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { ReleaseBlock(block); }
void operator delete[](void* block) noexcept { ReleaseBlock(block); }
void operator delete(void* block, std::size_t) noexcept { ReleaseBlock(block); }
void operator delete[](void* block, std::size_t) noexcept { ReleaseBlock(block); }

TEST_SUITE("no allocation per report")
{
    TEST_CASE("the counter sees allocations at all")
    {
        const long before = allocationCount;
        void* volatile probe = ::operator new(16);
        ::operator delete(probe);
        CHECK(allocationCount - before == 1);
    }

    TEST_CASE("smoothing and packet writes allocate nothing")
    {
        CFilter filter;
        CDataManage ring;
        std::vector<RINGPACKET> packets(RING_CAPACITY);
        int32_t readIndex = 0, writeIndex = 0;
        ring.Attach(packets.data(), &readIndex, &writeIndex, true);

        const long before = allocationCount;
        for (int i = 0; i < 5000; ++i) {
            if (i % 100 == 0)
                filter.Reset(0);
            uint16_t x = static_cast<uint16_t>(1000 + i * 7 % 300), y = static_cast<uint16_t>(2000 + i * 13 % 500);
            filter.Process(x, y, i % 50 == 49 ? 0 : 1);
            RINGPACKET packet{};
            packet.x = x;
            packet.y = y;
            ring.PutPacket(packet);
        }
        ring.Reset();
        CHECK(allocationCount - before == 0);
    }
}

#endif
