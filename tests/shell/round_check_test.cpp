// The drill's round check: it answers as the hit window does, at the
// drill's angle or at any whole angle, and a drill over many seeds plays no
// round no power reaches, drawing such rounds again from its generator.
#include "sim/drill/round_check.h"

#include <gtest/gtest.h>

#include "drilled.h"
#include "sim/drill/drill_run.h"
#include "sim/hit_window.h"
#include "sim/paint.h"
#include "sim/shot_probe.h"
#include "sim/shot_record.h"
#include "test_world.h"

namespace qm {
namespace {

// Whether some power hurts the target at the angle, or at any whole angle
// 10-90 when none is given, by whole searches of the window.
bool reachable_by_window(const World& w, double angle)
{
    ShotProbe probe(w);
    const int direction = w.target1.pos_x < w.player_bot.pos_x ? -1 : 1;
    if (angle > 0) return find_window(probe, angle, direction).reaches;
    for (int a = 10; a <= 90; ++a) {
        if (find_window(probe, a, direction).reaches) return true;
    }
    return false;
}

TEST(RoundCheck, AnswersAsTheHitWindowAtTheDrillsAngleOrAnyAngle)
{
    const struct Case {
        std::size_t map;
        double wind, wang;
        double angle;  // 0: free
    } cases[] = {
        {0, 5, 180, 60}, {0, 5, 180, 0}, {0, 20, 90, 89}, {1, 12, 270, 30},
        {2, 0, 0, 0},    {3, 25, 0, 80}, {1, 18, 90, 45},
    };
    for (const Case& c : cases) {
        auto w = test::make_world();
        test::build_sample_map(*w, c.map);
        w->random_wind = 0;
        w->wind = c.wind;
        w->wang = c.wang;
        for (int i = 0; i < 3000 && !round_at_rest(*w); ++i) paint(*w);
        RoundCheck check;
        check.arm(*w);
        check.start(c.angle > 0, c.angle);
        int ticks = 0;
        while (!check.step(*w, round_check_slice)) ++ticks;
        EXPECT_FALSE(check.checking());
        EXPECT_EQ(check.reachable(), reachable_by_window(*w, c.angle))
            << "map " << c.map << ", wind " << c.wind << ":" << c.wang << ", angle " << c.angle;
        // The first tick takes the round and fires nothing.
        EXPECT_LE(check.fired(), static_cast<long>(ticks) * round_check_slice);
    }
}

TEST(RoundCheck, AnUnarmedCheckHoldsNoRoundBack)
{
    auto w = test::make_world();
    RoundCheck check;
    check.start(true, 45);
    EXPECT_FALSE(check.checking());
    EXPECT_TRUE(check.reachable());
}

bool ready(const World& w) { return round_ready(w) || w.drill.finished; }

// Rounds on the flat map at a steep fixed angle, many beyond any power
// there: every round played can be hit at the drill's angle, and some were
// drawn again.
TEST(RoundCheck, ADrillOverManySeedsPlaysOnlyRoundsThatCanBeMade)
{
    int redrawn = 0;
    int played = 0;
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        test::Drilled d("rounds 3\nshots 1\ndistance 400 1400\nside right\nwind 0 25\nangle 80\n", seed);
        while (!d.drill().finished) {
            ASSERT_TRUE(d.until(ready)) << seed;
            if (d.drill().finished) break;
            redrawn += d.drill().redraws;
            ++played;
            EXPECT_TRUE(reachable_by_window(*d.world, 80)) << "seed " << seed << ", round " << d.drill().round;
            d.world->v0 = 0.5;  // a miss ends the round
            d.press(VK_F);
            d.tick();
        }
    }
    EXPECT_EQ(played, 12);
    EXPECT_GT(redrawn, 0);  // the case draws rounds out of reach
}

}  // namespace
}  // namespace qm
