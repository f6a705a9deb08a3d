// The landing prediction and the power finder against real shots: every
// predicted strike is where the shot then lands, on several maps, winds,
// aims and facings, with the craters of the earlier shots in place.
#include "sim/prediction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "sim/aim_chart.h"
#include "sim/paint.h"
#include "sim/practice.h"
#include "sim/shot_engine.h"
#include "sim/shot_probe.h"
#include "sim/shot_record.h"
#include "test_world.h"

namespace qm {
namespace {

constexpr int max_wait = 3000;  // ticks; far beyond any flight or respawn

// Until nothing moves and the camera is back on the player, whose aim is
// then free.
void run_until_rest(World& w)
{
    for (int i = 0; i < max_wait && !(round_at_rest(w) && aim_free(w)); ++i) paint(w);
    ASSERT_TRUE(round_at_rest(w) && aim_free(w));
}

TEST(Prediction, EveryPredictedStrikeIsWhereTheShotLands)
{
    const struct Round {
        std::size_t map;
        double wind, wang;
    } rounds[] = {{0, 0, 0}, {1, 14, 200}, {2, 24, 300}};
    // Shots at and beyond the target, short and long, both ways; each lands
    // on the craters the ones before it left.
    const Aim aims[] = {{45, 1.0, 1},  {45, 1.05, 1}, {60, 1.5, 1},  {30, 0.8, 1},
                        {70, 2.2, -1}, {20, 3.1, -1}, {85, 0.9, -1}, {50, 1.21, 1}};
    for (const Round& r : rounds) {
        auto w = test::make_world();
        test::build_sample_map(*w, r.map);
        w->random_wind = 0;
        w->wind = r.wind;
        w->wang = r.wang;
        run_until_rest(*w);
        arm_practice(*w);
        toggle_prediction(*w);
        for (const Aim& aim : aims) {
            w->vang = aim.angle;
            w->v0 = aim.power;
            w->direction = aim.direction;
            paint(*w);
            const PredictionView predicted = prediction_view(*w);
            ASSERT_TRUE(predicted.strike_known) << "map " << r.map << " angle " << aim.angle;
            w->fire_now = 1;
            paint(*w);
            run_until_rest(*w);
            ASSERT_TRUE(w->last_impact.struck);
            EXPECT_EQ(w->last_impact.x, predicted.strike_x) << "map " << r.map << " angle " << aim.angle;
            EXPECT_EQ(w->last_impact.y, predicted.strike_y) << "map " << r.map << " angle " << aim.angle;
            run_until_rest(*w);
        }
    }
}

TEST(Prediction, ShowsNothingWhileHiddenOrWhileTheShotFlies)
{
    auto w = test::make_world();
    test::build_sample_map(*w);
    w->random_wind = 0;
    run_until_rest(*w);
    arm_practice(*w);
    paint(*w);
    EXPECT_FALSE(prediction_view(*w).strike_known);  // H is off
    toggle_prediction(*w);
    paint(*w);
    EXPECT_TRUE(prediction_view(*w).strike_known);
    w->fire_now = 1;
    while (w->mainbullet.state != 0) paint(*w);
    paint(*w);
    EXPECT_FALSE(prediction_view(*w).strike_known);
}

TEST(Prediction, TheRoundIsUntouchedByPredictionsAndTheFinder)
{
    // Two rounds fed the same inputs, one predicting every tick: the same
    // frames (but for the marks) and the same state.
    auto plain = test::make_world();
    auto aided = test::make_world();
    for (World* w : {plain.get(), aided.get()}) {
        test::build_sample_map(*w);
        w->random_wind = 0;
        run_until_rest(*w);
    }
    arm_practice(*aided);
    toggle_prediction(*aided);
    for (int tick = 0; tick < 200; ++tick) {
        for (World* w : {plain.get(), aided.get()}) {
            w->angle_up = tick < 20 ? 1 : 0;
            paint(*w);
        }
    }
    EXPECT_EQ(plain->rng.state, aided->rng.state);
    EXPECT_EQ(plain->vang, aided->vang);
    for (int i = 0; i < stripe_count; ++i) {
        EXPECT_EQ(std::memcmp(plain->ground[i].data(), aided->ground[i].data(),
                              sizeof(COLORREF) * stripe_size * stripe_size),
                  0)
            << i;
    }
    EXPECT_EQ(plain->target1.hp, aided->target1.hp);
    EXPECT_EQ(plain->player_bot.hp, aided->player_bot.hp);
}

TEST(PowerSearch, FindsTheWindowOverSevenTicksOrSaysNoneReachesIt)
{
    auto w = test::make_world();
    test::build_sample_map(*w);
    w->random_wind = 0;
    run_until_rest(*w);
    ShotProbe probe(*w);

    WindowSearch search;
    search.start(45, 1);
    int ticks = 0;
    while (!search.step(probe, finder_slice)) ++ticks;
    EXPECT_EQ(ticks, (finder_powers + finder_slice - 1) / finder_slice - 1);
    ASSERT_TRUE(search.window().reaches);
    // No power in the grid costs the target more; the best one hurts it.
    const HitWindow& found = search.window();
    const ShotResult best = probe.fire(45, found.best_power(), 1);
    EXPECT_EQ(best.target_damage, found.best_damage);
    for (int k = 0; k < finder_powers; k += 7) {
        EXPECT_LE(probe.fire(45, k / 100.0, 1).target_damage, found.best_damage) << k;
    }

    // Facing away, every shot lands far behind the player.
    search.start(45, -1);
    search.step(probe, finder_powers);
    EXPECT_TRUE(search.done());
    EXPECT_FALSE(search.window().reaches);
}

// The power finder and the aim chart fire the same powers and read their
// window by one rule, so they name the same window to the step wherever the
// target stands.
TEST(Prediction, TheFinderAndTheAimChartPointToTheSameShot)
{
    const struct {
        double wind, wang;
    } winds[] = {{0, 0}, {10, 0}, {20, 180}, {15, 90}};
    int compared = 0;
    for (std::size_t map = 0; map < 4; ++map) {
        for (const auto& wind : winds) {
            auto w = test::make_world();
            test::build_sample_map(*w, map);
            w->random_wind = 0;
            w->wind = wind.wind;
            w->wang = wind.wang;
            run_until_rest(*w);
            arm_practice(*w);
            toggle_prediction(*w);
            toggle_chart(*w);
            for (const int direction : {1, -1}) {
                for (const double angle : {30.0, 50.0, 70.0}) {
                    w->vang = angle;
                    w->direction = direction;
                    auto working = [&] {
                        return prediction_view(*w).searching || !prediction_view(*w).strike_known ||
                               aim_chart_view(*w).fired < chart_powers;
                    };
                    for (int tick = 0; tick < 40 && working(); ++tick) paint(*w);
                    const PredictionView finder = prediction_view(*w);
                    const AimChartView chart = aim_chart_view(*w);
                    ASSERT_FALSE(finder.searching);
                    ASSERT_EQ(chart.fired, chart_powers);
                    EXPECT_EQ(chart.reaches, chart.window.reaches);
                    const std::string name = "map " + std::to_string(map) + ", wind " + std::to_string(wind.wind) +
                                             ":" + std::to_string(wind.wang) + ", angle " + std::to_string(angle) +
                                             ", facing " + std::to_string(direction);
                    EXPECT_EQ(chart.window, finder.window) << name;
                    if (!finder.window.reaches) continue;
                    ++compared;
                    EXPECT_DOUBLE_EQ(chart.power, finder.window.best_power()) << name;
                }
            }
        }
    }
    EXPECT_GE(compared, 40);  // most cases show both
}

// G's heading is read off its own curve at every moment: after a hit, after
// a crater beside the target and after the target slid into one, the
// heading's window is that of the chart's powers fired afresh on the round
// as it then stands.
TEST(Prediction, TheAimChartsHeadingIsItsCurvesWindowAfterEveryShot)
{
    auto w = test::make_world();
    test::build_sample_map(*w);
    w->random_wind = 0;
    w->wind = 5;
    w->wang = 180;
    run_until_rest(*w);
    arm_practice(*w);
    toggle_chart(*w);
    const struct Shot {
        const char* after;
        double power;
    } shots[] = {{"a hit", 1.08}, {"a crater short of the target", 0.9}, {"a hit that moves the target", 1.1},
                 {"a shot far over", 2.0}};
    const int hp = w->target1.hp;
    for (const Shot& shot : shots) {
        w->vang = 60;
        w->direction = 1;
        w->v0 = shot.power;
        w->fire_now = 1;
        paint(*w);
        run_until_rest(*w);
        for (int tick = 0; tick < 10 && aim_chart_view(*w).fired < chart_powers; ++tick) paint(*w);
        const AimChartView chart = aim_chart_view(*w);
        ASSERT_EQ(chart.fired, chart_powers) << shot.after;
        ShotProbe probe(*w);
        ShotResult curve[chart_powers];
        fire_rungs(probe, PowerLadder{60, 1, chart_steps_per_unit}, 0, chart_powers, curve);
        EXPECT_EQ(chart.window, window_of(curve, chart_powers, chart_steps_per_unit)) << shot.after;
        EXPECT_EQ(chart.reaches, chart.window.reaches) << shot.after;
        if (chart.reaches) {
            EXPECT_DOUBLE_EQ(chart.power, chart.window.best_power()) << shot.after;
        }
    }
    EXPECT_LT(w->target1.hp, hp);  // the shots did reach the target
}

}  // namespace
}  // namespace qm
