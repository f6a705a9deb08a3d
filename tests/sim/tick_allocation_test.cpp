// A running round allocates nothing after its first tick. This binary
// replaces every form of operator new and delete to count allocations, so it
// runs on its own: the main test binary keeps the sanitizer's own operators,
// which catch a mismatched new and delete.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "scripted_round.h"
#include "test_world.h"

// Every allocation of the test binary is counted here; only the allocation
// test below reads the count. Each form of operator new and delete is
// replaced, so that sanitizer builds see matching malloc and free throughout.
namespace {

std::atomic<long long> allocation_count{0};

void* counted_alloc(std::size_t size, std::size_t alignment)
{
    allocation_count.fetch_add(1, std::memory_order_relaxed);
    if (size == 0) size = 1;
    if (alignment <= alignof(std::max_align_t)) return std::malloc(size);
    return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}

void* counted_alloc_or_throw(std::size_t size, std::size_t alignment)
{
    void* p = counted_alloc(size, alignment);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

constexpr std::size_t plain = alignof(std::max_align_t);

}  // namespace

void* operator new(std::size_t n) { return counted_alloc_or_throw(n, plain); }
void* operator new[](std::size_t n) { return counted_alloc_or_throw(n, plain); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return counted_alloc(n, plain); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return counted_alloc(n, plain); }
void* operator new(std::size_t n, std::align_val_t a) { return counted_alloc_or_throw(n, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t n, std::align_val_t a) { return counted_alloc_or_throw(n, static_cast<std::size_t>(a)); }
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return counted_alloc(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return counted_alloc(n, static_cast<std::size_t>(a));
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }

namespace qm {
namespace {

TEST(Tick, ARunningRoundAllocatesNothingAfterItsFirstTick)
{
    // A tick runs every 16 ms for the whole session: an allocation in it is
    // a pause the frame cannot afford, and a leak would grow without end.
    std::unique_ptr<World> w = test::make_world();
    test::Round round(*w);
    round.play(1);
    const long long before = allocation_count.load();
    for (int tick = 2; tick <= test::Round::ticks; ++tick) round.play(tick);
    const long long during = allocation_count.load() - before;

    int* volatile probe = new int(0);  // the count does see allocations
    delete probe;
    ASSERT_GT(allocation_count.load() - before, during);

    EXPECT_EQ(during, 0);
    EXPECT_GE(round.impacts, 8);
    EXPECT_EQ(round.deaths, 1);
    EXPECT_EQ(round.respawns, 1);
}

}  // namespace
}  // namespace qm
