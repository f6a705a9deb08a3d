// The hit window: read from a ladder of damages by its rule, and found over
// ticks on the probe the same as a brute-force sweep of the shot engine on
// every sample map, in winds blowing up, down and across, both facings.
#include "sim/hit_window.h"

#include <gtest/gtest.h>

#include <vector>

#include "sim/paint.h"
#include "sim/shot_engine.h"
#include "sim/shot_probe.h"
#include "sim/shot_record.h"
#include "sim/world.h"
#include "test_world.h"

namespace qm {
namespace {

TEST(HitWindow, IsReadFromTheDamageByItsRule)
{
    const struct Case {
        const char* why;
        std::vector<int> damage;
        HitWindow expected;
    } cases[] = {
        {"nothing hurts: out of reach", {0, 0, 0}, {false, 0, 0, 0, 0, 1}},
        {"one hump", {0, 10, 40, 30, 0}, {true, 2, 40, 2, 3, 1}},
        {"a tie goes to the lower power", {0, 50, 20, 50, 0}, {true, 1, 50, 1, 1, 1}},
        {"the strongest hump, not the first", {30, 30, 0, 0, 20, 60, 45, 0}, {true, 5, 60, 5, 6, 1}},
        {"exactly half is in, one less is out", {0, 19, 20, 40, 20, 0}, {true, 3, 40, 2, 4, 1}},
        {"the window runs to the ladder's ends", {5, 6, 7}, {true, 2, 7, 0, 2, 1}},
        {"a gap ends the window though later powers hurt", {30, 0, 30, 60}, {true, 3, 60, 2, 3, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(window_of(c.damage.data(), static_cast<int>(c.damage.size()), 1.0), c.expected) << c.why;
    }
}

TEST(HitWindow, PowersReadOnTheirLadder)
{
    const HitWindow w{true, 108, 195, 83, 119, finder_steps_per_unit};
    EXPECT_DOUBLE_EQ(w.best_power(), 1.08);
    EXPECT_DOUBLE_EQ(w.low_power(), 0.83);
    EXPECT_DOUBLE_EQ(w.high_power(), 1.19);
    const HitWindow chart{true, 19, 100, 17, 20, 20.0};
    EXPECT_DOUBLE_EQ(chart.best_power(), 0.95);
}

// The window by its definition, independently of window_of: the best damage,
// its lowest rung, then outwards while at least half.
HitWindow brute_window(const std::vector<ShotResult>& shots)
{
    HitWindow w;
    for (std::size_t i = 0; i < shots.size(); ++i) {
        if (shots[i].target_damage > w.best_damage) {
            w.best_damage = shots[i].target_damage;
            w.best = static_cast<int>(i);
        }
    }
    if (w.best_damage == 0) return w;
    w.reaches = true;
    const auto good = [&](int i) { return shots[i].target_damage * 2 >= w.best_damage && shots[i].target_damage > 0; };
    for (w.low = w.best; w.low > 0 && good(w.low - 1);) --w.low;
    for (w.high = w.best; w.high < finder_powers - 1 && good(w.high + 1);) ++w.high;
    return w;
}

TEST(HitWindow, TheSearchOverTicksAgreesWithASweepOfTheShotEngine)
{
    const struct Wind {
        double wind, wang;
    } winds[] = {{0, 0}, {5, 180}, {18, 90}, {12, 270}, {20, 0}};
    const double angles[] = {30, 60, 80};
    int reached = 0, cases = 0;
    for (std::size_t map = 0; map < 4; ++map) {
        for (const Wind& wind : winds) {
            auto w = test::make_world();
            test::build_sample_map(*w, map);
            w->random_wind = 0;
            w->wind = wind.wind;
            w->wang = wind.wang;
            for (int i = 0; i < 3000 && !round_at_rest(*w); ++i) paint(*w);
            ShotProbe probe(*w);
            std::vector<ShotStart> starts;
            starts.emplace_back(*w);
            for (const int direction : {1, -1}) {
                for (const double angle : angles) {
                    std::vector<Shot> sweep;
                    for (int k = 0; k < finder_powers; ++k) sweep.push_back({0, angle, k / finder_steps_per_unit});
                    const HitWindow expected = brute_window(fire_shots(*w, starts, sweep, direction, 2));
                    WindowSearch search;
                    search.start(angle, direction);
                    int ticks = 1;
                    while (!search.step(probe, finder_slice)) ++ticks;
                    EXPECT_EQ(ticks, (finder_powers + finder_slice - 1) / finder_slice);
                    EXPECT_EQ(search.window(), expected)
                        << "map " << map << ", wind " << wind.wind << ":" << wind.wang << ", angle " << angle
                        << ", facing " << direction;
                    EXPECT_EQ(find_window(probe, angle, direction), expected);
                    reached += expected.reaches;
                    ++cases;
                }
            }
        }
    }
    EXPECT_GE(reached, cases / 4);  // the cases are not all out of reach
}

}  // namespace
}  // namespace qm
