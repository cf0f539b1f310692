// Allocations counted natively by replacing this program's allocation
// functions (still malloc and free underneath, which ASan keeps watching).
#ifndef _WIN32

#include "CDataManage.h"
#include "CFilter.h"
#include "SharedSections.h"

#include <doctest/doctest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocationCount{0};
// Out of line, so the compiler does not pair an inlined free with the new it sees.
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
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    ++allocationCount;
    return std::malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* block, const std::nothrow_t&) noexcept { ReleaseBlock(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { ReleaseBlock(block); }
void operator delete(void* block) noexcept { ReleaseBlock(block); }
void operator delete[](void* block) noexcept { ReleaseBlock(block); }
void operator delete(void* block, std::size_t) noexcept { ReleaseBlock(block); }
void operator delete[](void* block, std::size_t) noexcept { ReleaseBlock(block); }

TEST_CASE("smoothing and packet writes allocate nothing per report")
{
    void* volatile probe = ::operator new(16);  // the counter does see allocations
    ::operator delete(probe);
    CHECK(allocationCount > 0);

    CFilter filter;
    CDataManage ring;
    RINGPACKET packets[RING_CAPACITY];
    int32_t readIndex = 0, writeIndex = 0;
    ring.Attach(packets, &readIndex, &writeIndex, true);
    const long before = allocationCount;
    for (int i = 0; i < 5000; ++i) {
        if (i % 100 == 0)
            filter.Reset(0);
        uint16_t x = static_cast<uint16_t>(1000 + i * 7 % 300), y = static_cast<uint16_t>(2000 + i * 13 % 500);
        filter.Process(x, y, i % 50 == 49 ? 0 : 1);
        ring.PutPacket(RINGPACKET{});
    }
    CHECK(allocationCount - before == 0);
}

#endif
