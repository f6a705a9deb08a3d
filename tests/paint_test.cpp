// The whole tick: its phases in order, seen through the frame they compose.
#include "sim/paint.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "sim/init_dcs.h"
#include "sim/world.h"
#include "terrain/load_map.h"
#include "terrain/map_maker.h"

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

constexpr COLORREF terrain = 0x00FF0000;
constexpr COLORREF empty = 0x00C0C0C0;

class Paint : public ::testing::Test {
protected:
    std::unique_ptr<World> w = std::make_unique<World>();

    void SetUp() override
    {
        fill_circle_samp(*w);
        init_DCs(*w);
    }

    // Holds the view at (x, y) for the next few ticks.
    void hold_view(int x, int y)
    {
        for (int i = 0; i < 4; ++i) {
            w->cam1.ring_x[i] = x;
            w->cam1.ring_y[i] = y;
        }
        w->cam1.prev_x = x;
        w->cam1.prev_y = y;
    }
};

TEST_F(Paint, ACraterShowsInTheFrameFromTheNextTick)
{
    // Stripe 3 covers world x 0 to 799, y 500 to 1299: all terrain. A shell
    // dropped at (400, 510) strikes in its first step.
    for (int y = 0; y < stripe_size; ++y)
        for (int x = 0; x < stripe_size; ++x) SetPixel(w->ground[3], x, y, terrain);
    hold_view(0, 300);
    w->mainbullet.reset(&w->memoria, 0.0, 0.0, 0.0, 0.0, 400, 510, 1, 0);

    // Inside the crater, clear of the shell's own mark.
    const int world_x = 420;
    const int world_y = 515;
    paint(*w);
    ASSERT_EQ(w->cam1.cam_x, 0);
    ASSERT_EQ(w->cam1.cam_y, 300);
    EXPECT_EQ(w->mainbullet.state, 1);
    EXPECT_EQ(GetPixel(w->ground[3], world_x, world_y - 500), empty);
    // The background was drawn before the shell struck.
    EXPECT_EQ(GetPixel(w->memoria, world_x, world_y - 300), terrain);

    paint(*w);
    EXPECT_EQ(GetPixel(w->memoria, world_x, world_y - 300), empty);
}

TEST_F(Paint, TheShotLeavesAtTheEndOfItsTickAndIsDrawnFromTheNext)
{
    w->flat_map = 1;
    w->fire_now = 1;
    w->shoot_delay = 29;
    paint(*w);
    EXPECT_EQ(w->mainbullet.state, 0);
    EXPECT_EQ(w->mainbullet.time, 0.0);
    EXPECT_EQ(w->mainbullet.origin_x, w->player_bot.launch_x);
    EXPECT_EQ(w->mainbullet.origin_y, w->player_bot.launch_y);
    paint(*w);
    EXPECT_EQ(w->mainbullet.time, 0.025);
}

// FNV-1a over raw bytes.
class Hash {
public:
    template <class T>
    void add(const T& value)
    {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) value_ = (value_ ^ b) * 0x100000001B3ull;
    }
    std::uint64_t value() const { return value_; }

private:
    std::uint64_t value_ = 0xCBF29CE484222325ull;
};

TEST_F(Paint, AScriptedRoundEndsInTheStoredWorldAndFrame)
{
    // Three shots on the first sample map with random wind, aim and facing
    // changed between them. The constant changes only when the simulation or
    // its drawing changes on purpose; anything else is a determinism fault.
    const std::vector<SampleMap> maps = sample_maps();
    const MapPicture& map = maps.front().picture;
    for (int row = 0; row < map.height; ++row)
        for (int column = 0; column < map.width; ++column) w->image_at(row, column) = map.at(row, column);
    w->imagen_x = map.width;
    w->imagen_y = map.height;
    build_terrain(*w, *w);

    for (int tick = 1; tick <= 600; ++tick) {
        if (tick == 60 || tick == 260 || tick == 450) w->fire_now = 1;
        if (tick == 200) w->direction = -1;
        w->angle_up = tick >= 220 && tick < 235 ? 1 : 0;
        w->pow_up = tick >= 400 && tick < 440 ? 1 : 0;
        paint(*w);
    }

    Hash hash;
    for (int y = 0; y < frame_height; ++y)
        for (int x = 0; x < frame_width; ++x) hash.add(GetPixel(w->memoria, x, y));
    hash.add(w->vang);
    hash.add(w->v0);
    hash.add(w->wind);
    hash.add(w->wang);
    hash.add(w->random_x);
    hash.add(w->shots_done);
    hash.add(w->focus);
    hash.add(w->cam1.cam_x);
    hash.add(w->cam1.cam_y);
    const bullet* bodies[] = {&w->sec_bullet1, &w->sec_bullet2, &w->mainbullet, &w->target1, &w->player_bot};
    for (const bullet* b : bodies) {
        hash.add(b->pos_x);
        hash.add(b->pos_y);
        hash.add(b->time);
        hash.add(b->state);
    }
    hash.add(w->target1.hp);
    hash.add(w->player_bot.hp);
    EXPECT_EQ(w->shots_done, 1);  // the wind changed after the second shot
    EXPECT_EQ(hash.value(), 0x985BBCEAB2D3E19Full);
}

// A round with every kind of tick on the first sample map without wind: the
// power lowered, shots at the target until it dies, its respawn and fall, a
// right-button pan during a flight, then a turn and shots the other way. The
// inputs depend only on the tick and the world, so every run is the same.
class Round {
public:
    static constexpr int ticks = 1200;

    explicit Round(World& w) : w_(w)
    {
        const std::vector<SampleMap> maps = sample_maps();
        const MapPicture& map = maps.front().picture;
        for (int row = 0; row < map.height; ++row)
            for (int column = 0; column < map.width; ++column) w_.image_at(row, column) = map.at(row, column);
        w_.imagen_x = map.width;
        w_.imagen_y = map.height;
        build_terrain(w_, w_);
        w_.random_wind = 0;
    }

    // Sets the inputs of the given tick (1 to ticks) and runs it.
    void play(int tick)
    {
        w_.pow_down = tick >= 60 && tick < 210 ? 1 : 0;  // 2.5 down to 1.0, which reaches the target
        if (tick == turn_tick) w_.direction = -1;
        w_.angle_up = tick >= turn_tick && tick < turn_tick + 20 ? 1 : 0;
        const bool firing = tick >= 210 && (tick < turn_tick || tick >= turn_tick + 20);
        if (firing && w_.mainbullet.state == state_at_rest && w_.fire_now == 0) w_.fire_now = 1;
        if (tick == pan_start) {
            w_.rbutton = 1;
            w_.mouse_cam_x = w_.cam1.cam_x;
            w_.mouse_cam_y = w_.cam1.cam_y;
        }
        if (tick > pan_start && tick <= pan_end) {
            w_.mouse_cam_x += 12;
            w_.mouse_cam_y -= 4;
        }
        if (tick == pan_end + 1) w_.rbutton = 0;

        const int target_hp = w_.target1.hp;
        const int bullet_state = w_.mainbullet.state;
        paint(w_);
        if (bullet_state == 0 && w_.mainbullet.state != 0) ++impacts;
        if (target_hp > 0 && w_.target1.hp == 0) ++deaths;
        if (deaths > respawns && w_.target1.hp == full_hp) ++respawns;
    }

    int impacts = 0;
    int deaths = 0;
    int respawns = 0;

private:
    static constexpr int turn_tick = 1000;
    static constexpr int pan_start = 250;
    static constexpr int pan_end = 290;
    World& w_;
};

TEST_F(Paint, EveryFrameOfAScriptedRoundIsTheStoredOne)
{
    // The frames are the simulator's whole output: a drawing change that
    // moves a single pixel anywhere in the round changes the constant.
    Round round(*w);
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (int tick = 1; tick <= Round::ticks; ++tick) {
        round.play(tick);
        const COLORREF* p = w->memoria.data();
        for (int i = 0; i < frame_width * frame_height; ++i) hash = (hash ^ p[i]) * 0x100000001B3ull;
    }
    EXPECT_GE(round.impacts, 8);
    EXPECT_EQ(round.deaths, 1);
    EXPECT_EQ(round.respawns, 1);
    EXPECT_EQ(hash, 0x826DEDD25F8FFCCBull);
}

TEST_F(Paint, ARunningRoundAllocatesNothingAfterItsFirstTick)
{
    // A tick runs every 16 ms for the whole session: an allocation in it is
    // a pause the frame cannot afford, and a leak would grow without end.
    Round round(*w);
    round.play(1);
    const long long before = allocation_count.load();
    for (int tick = 2; tick <= Round::ticks; ++tick) round.play(tick);
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
