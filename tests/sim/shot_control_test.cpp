// Shot control and the turn cycle: aim and power limits, the rolls, the fire
// delay, dropped requests, the wind change and the first placement.
#include "sim/shot_control.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "sim/world.h"

namespace qm {
namespace {

std::string shown(double value, const char* format)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

class ShotControl : public ::testing::Test {
protected:
    std::unique_ptr<World> w = std::make_unique<World>();

    // The shot-control part of one tick with the main projectile at rest.
    void idle_tick()
    {
        aim_and_rolls(*w);
        turn_logic(*w, 0);
    }
};

TEST_F(ShotControl, AngleKeysApplyLineByLineWithinTheLimits)
{
    const struct {
        double vang;
        int up;
        int down;
        int focus;
        double after;
    } cases[] = {
        {90.0, 1, 1, 0, 89.0},  // the rise is blocked at 90, the fall is not
        {50.0, 1, 1, 0, 50.0},
        {89.0, 1, 0, 0, 90.0},
        {90.0, 1, 0, 0, 90.0},
        {10.0, 0, 1, 0, 10.0},
        {11.0, 0, 1, 0, 10.0},
        {10.0, 1, 1, 0, 10.0},  // the rise to 11 is undone by the fall
        {50.0, 1, 0, 1, 50.0},  // frozen while the camera is away
        {50.0, 0, 1, 2, 50.0},
    };
    for (const auto& c : cases) {
        w->vang = c.vang;
        w->angle_up = c.up;
        w->angle_down = c.down;
        w->focus = c.focus;
        aim_and_rolls(*w);
        EXPECT_EQ(w->vang, c.after) << c.vang << " up " << c.up << " down " << c.down << " focus " << c.focus;
    }
}

TEST_F(ShotControl, PowerTopsOutAtFourAfter150Ticks)
{
    w->pow_up = 1;
    for (int i = 0; i < 150; ++i) aim_and_rolls(*w);
    EXPECT_EQ(w->v0, 3.999999999999968);
    EXPECT_EQ(shown(w->v0, "%1.2f"), "4.00");
    aim_and_rolls(*w);
    EXPECT_EQ(w->v0, 3.999999999999968);
}

TEST_F(ShotControl, PowerFallsOneStepBelowPointZeroOneAndStops)
{
    w->pow_down = 1;
    int ticks = 0;
    while (shown(w->v0, "%1.2f") != "0.01") {
        aim_and_rolls(*w);
        ASSERT_LT(++ticks, 300);
    }
    aim_and_rolls(*w);
    EXPECT_EQ(shown(w->v0, "%1.2f"), "0.00");
    EXPECT_GT(w->v0, 0.0);
    EXPECT_LT(w->v0, 1e-13);
    double floor_value = w->v0;
    aim_and_rolls(*w);
    EXPECT_EQ(w->v0, floor_value);
}

TEST_F(ShotControl, ThreeDrawsPerTickInOrder)
{
    CrtRand reference;
    int random_x = 0;
    for (int tick = 0; tick < 5; ++tick) {
        int wind_draw = reference.next();
        int wang_draw = reference.next();
        random_x = (random_x + reference.next()) % 1600;
        aim_and_rolls(*w);
        EXPECT_EQ(w->new_wind, wind_draw % 25);
        EXPECT_EQ(w->new_wang, wang_draw % 360);
        EXPECT_EQ(w->random_x, random_x);
    }
    EXPECT_EQ(w->rng.state, reference.state);
}

TEST_F(ShotControl, FiresInTheThirtiethTickAfterTheRequest)
{
    w->player_bot.launch_x = 12;
    w->player_bot.launch_y = 480;
    w->fire_now = 1;
    for (int tick = 1; tick <= 29; ++tick) {
        idle_tick();
        w->fire_now = 1;  // pressing F again during the wait changes nothing
        ASSERT_EQ(w->mainbullet.state, state_at_rest) << "tick " << tick;
        ASSERT_EQ(w->shoot_delay, tick);
    }
    idle_tick();
    EXPECT_EQ(w->mainbullet.state, 0);
    EXPECT_EQ(w->mainbullet.origin_x, 12);
    EXPECT_EQ(w->mainbullet.origin_y, 480);
    EXPECT_EQ(w->mainbullet.dir, 1);
    EXPECT_EQ(w->sec_bullet1.state, 0);  // the secondaries leave with it
    EXPECT_EQ(w->player_bot.just_fired, 1);
    EXPECT_EQ(w->shots_done, 1);
    EXPECT_EQ(w->shoot_delay, 0);
    EXPECT_EQ(w->fire_now, 0);
}

TEST_F(ShotControl, ARequestDuringFlightIsForgotten)
{
    w->fire_now = 1;
    w->shoot_delay = 30;
    turn_logic(*w, 1);
    EXPECT_EQ(w->fire_now, 0);
    EXPECT_EQ(w->shoot_delay, 0);
    for (int i = 0; i < 60; ++i) idle_tick();
    EXPECT_EQ(w->mainbullet.state, state_at_rest);
    EXPECT_EQ(w->shots_done, 0);
}

TEST_F(ShotControl, WindChangesOnlyWhenTheTurnCountIsReached)
{
    const struct {
        int random_wind;
        int shots_done;
        int turn;
        bool changes;
    } cases[] = {{1, 2, 2, true}, {1, 1, 2, false}, {1, 3, 3, true}, {0, 2, 2, false}, {1, 0, 1, false}};
    for (const auto& c : cases) {
        w->wind = 3.0;
        w->wang = 90.0;
        w->new_wind = 17;
        w->new_wang = 245;
        w->random_wind = c.random_wind;
        w->shots_done = c.shots_done;
        w->wind_change_turn = c.turn;
        turn_logic(*w, 0);
        EXPECT_EQ(w->wind, c.changes ? 17.0 : 3.0) << c.shots_done << " of " << c.turn;
        EXPECT_EQ(w->wang, c.changes ? 245.0 : 90.0);
        EXPECT_EQ(w->shots_done, c.changes ? 0 : c.shots_done);
    }
}

TEST_F(ShotControl, NoWindChangeWhileAShotIsInTheAir)
{
    w->shots_done = 2;
    w->new_wind = 17;
    turn_logic(*w, 1);
    EXPECT_EQ(w->wind, 0.0);
    EXPECT_EQ(w->shots_done, 2);
}

TEST_F(ShotControl, FirstTickPlacesTargetAndPlayer)
{
    update_target(*w, 0, 0);
    update_player(*w, 0, 0);
    EXPECT_EQ(w->target1.origin_x, 180);
    EXPECT_EQ(w->target1.origin_y, 0);
    EXPECT_EQ(w->player_bot.origin_x, 0);
    EXPECT_EQ(w->player_bot.origin_y, 0);
    EXPECT_LT(w->target1.state, state_at_rest);
    EXPECT_LT(w->player_bot.state, state_at_rest);
}

TEST_F(ShotControl, FlatMapLeavesTheTargetAlone)
{
    w->flat_map = 1;
    for (int i = 0; i < 3; ++i) update_target(*w, 0, 0);
    EXPECT_EQ(w->target1.state, state_at_rest);
    EXPECT_EQ(w->target1.pos_x, 0);
    EXPECT_EQ(w->target1.hp, 0);
}

}  // namespace
}  // namespace qm
