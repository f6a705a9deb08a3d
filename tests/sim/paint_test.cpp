// The whole tick: its phases in order, seen through the frame they compose.
#include "sim/paint.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "scripted_round.h"
#include "sim/practice.h"
#include "sim/world.h"
#include "test_world.h"

namespace qm {
namespace {

using test::empty;
using test::terrain;

class Paint : public ::testing::Test {
protected:
    std::unique_ptr<World> w = test::make_world();

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
    test::build_sample_map(*w);

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

TEST_F(Paint, EveryFrameOfAScriptedRoundIsTheStoredOne)
{
    // The frames are the simulator's whole output: a drawing change that
    // moves a single pixel anywhere in the round changes the constant. With
    // the practice aids made ready but all off, not a pixel changes either.
    for (bool armed : {false, true}) {
        std::unique_ptr<World> world = test::make_world();
        test::Round round(*world);
        if (armed) arm_practice(*world);
        std::uint64_t hash = 0xCBF29CE484222325ull;
        for (int tick = 1; tick <= test::Round::ticks; ++tick) {
            round.play(tick);
            const COLORREF* p = world->memoria.data();
            for (int i = 0; i < frame_width * frame_height; ++i) hash = (hash ^ p[i]) * 0x100000001B3ull;
        }
        EXPECT_GE(round.impacts, 8);
        EXPECT_EQ(round.deaths, 1);
        EXPECT_EQ(round.respawns, 1);
        EXPECT_EQ(hash, 0x826DEDD25F8FFCCBull) << (armed ? "armed" : "plain");
    }
}

}  // namespace
}  // namespace qm
