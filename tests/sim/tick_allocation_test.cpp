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
#include "sim/drill/drill_map.h"
#include "sim/drill/drill_run.h"
#include "sim/practice.h"
#include "sim/shot_probe.h"
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

TEST(Tick, ARoundWithEveryAidOnAllocatesNothingAfterItsFirstTick)
{
    // The replay's copy is kept at every shot and played once, the
    // prediction syncs its probe after every strike, the finder fires
    // hundreds of shots and the aim chart works out its curve again after
    // each: all into memory made before the ticks, when the aids were armed
    // or their keys pressed.
    std::unique_ptr<World> w = test::make_world();
    test::Round round(*w);
    arm_practice(*w);
    toggle_trace(*w);
    toggle_prediction(*w);
    toggle_chart(*w);
    toggle_score(*w);
    round.play(1);
    long long during = 0;
    bool replayed = false;
    int charted = 0;  // ticks that fired part of a curve
    for (int tick = 2; tick <= test::Round::ticks; ++tick) {
        const int fired = aim_chart_view(*w).fired;
        const long long before = allocation_count.load();
        round.play(tick);
        during += allocation_count.load() - before;
        const AimChartView chart = aim_chart_view(*w);
        if (chart.shown && chart.fired > fired) ++charted;
        // R, a key press between ticks, once a shot has struck.
        if (!replayed && tick >= 400 && w->mainbullet.state != 0) replayed = start_replay(*w);
    }
    EXPECT_TRUE(replayed);
    EXPECT_EQ(during, 0);
    EXPECT_GE(charted, 3);
    EXPECT_GE(w->practice.score.shots, 8);
    EXPECT_EQ(w->practice.score.kills, 1);
}

TEST(Tick, ADrillAllocatesNothingFromItsFirstTickToItsResults)
{
    // Rounds end, targets drop, winds change and the results show, all in
    // ticks: into the drill's records, made with the world. The coach's
    // drill also works out each target's fall (and the player's, when it
    // moves) and draws the bands' heat map on the results.
    for (bool coach : {false, true}) {
        SCOPED_TRACE(coach ? "the coach's drill" : "a drawn drill");
        std::unique_ptr<World> w = test::make_world();
        DrillRules rules;
        rules.rounds = 4;
        rules.shots = 2;
        rules.distance_min = 250;
        rules.distance_max = 700;
        rules.side = DrillSide::either;
        rules.wind_max = 12;
        rules.wang_max = 359;
        rules.aids = true;
        rules.coach = coach;
        std::string reason;
        ASSERT_TRUE(load_drill_map(*w, rules, reason)) << reason;
        arm_practice(*w);
        toggle_prediction(*w);
        toggle_chart(*w);
        begin_drill(*w, rules, 9);
        paint(*w);
        long long during = 0;
        for (int tick = 2; tick <= 6000 && !w->drill.finished; ++tick) {
            w->v0 = 1.0 + (tick % 7) * 0.1;
            if (w->mainbullet.state == state_at_rest && w->fire_now == 0 && tick % 50 == 0) w->fire_now = 1;
            const long long before = allocation_count.load();
            paint(*w);
            during += allocation_count.load() - before;
        }
        EXPECT_TRUE(w->drill.finished);
        EXPECT_EQ(during, 0);
    }
}

TEST(Tick, TheShotProbeAllocatesNothingOnceBuilt)
{
    // The practice aids fire hundreds of probe shots between two ticks; an
    // allocation there is the same pause as one in the tick.
    std::unique_ptr<World> w = test::make_world();
    test::Round round(*w);
    for (int tick = 1; tick <= 400; ++tick) round.play(tick);
    ShotProbe probe(*w);
    const long long before = allocation_count.load();
    for (int power = 0; power <= 400; power += 10) probe.fire(30 + power / 8, power / 100.0, power % 20 == 0 ? 1 : -1);
    for (int tick = 401; tick <= 700; ++tick) round.play(tick);
    probe.sync(*w);
    for (int power = 0; power <= 400; power += 10) probe.fire(70, power / 100.0, 1);
    EXPECT_EQ(allocation_count.load() - before, 0);
}

}  // namespace
}  // namespace qm
