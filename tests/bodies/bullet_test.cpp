// Launch and closed-form trajectory of a body; flight, collision and impact.
#include "bodies/bullet.h"

#include <gtest/gtest.h>

#include <memory>

#include "sim/world.h"
#include "test_world.h"

namespace qm {
namespace {

struct At {
    double t;
    int x;
    int y;
};

class BulletLaunch : public ::testing::Test {
protected:
    std::unique_ptr<World> w = std::make_unique<World>();
    bullet& b = w->mainbullet;

    void position_at(double t)
    {
        b.time = t;
        b.calc();
    }
};

TEST_F(BulletLaunch, DefaultAimGivesTheLaunchComponents)
{
    b.reset(&w->memoria, 2.5, 50.0, 0.0, 90.0, 100, 300, 1);
    EXPECT_DOUBLE_EQ(b.vel_x, 1.6069690242163484);
    EXPECT_DOUBLE_EQ(b.vel_y, 1.915111107797445);
    EXPECT_EQ(b.wind_x, 0.0);
    EXPECT_EQ(b.wind_y, 0.0);
    EXPECT_EQ(b.state, 0);
    EXPECT_EQ(b.time, 0.0);
    EXPECT_EQ(b.pos_x, placeholder_x);
    EXPECT_EQ(b.pos_y, placeholder_y);
    EXPECT_EQ(b.focus(), 1);
}

TEST_F(BulletLaunch, PositionsAlongTheDefaultPathBothWays)
{
    const At right[] = {{0.025, 109, 289}, {0.5, 284, 134}, {1.0, 468, 77}, {2.0, 836, 286}};
    b.reset(&w->memoria, 2.5, 50.0, 0.0, 90.0, 100, 300, 1);
    for (const At& a : right) {
        position_at(a.t);
        EXPECT_EQ(b.pos_x, a.x) << a.t;
        EXPECT_EQ(b.pos_y, a.y) << a.t;
    }
    // Leftward the x values mirror, truncated toward zero (-84.13 gives -84).
    const At left[] = {{0.025, 90, 289}, {0.5, -84, 134}, {1.0, -268, 77}, {2.0, -636, 286}};
    b.reset(&w->memoria, 2.5, 50.0, 0.0, 90.0, 100, 300, -1);
    for (const At& a : left) {
        position_at(a.t);
        EXPECT_EQ(b.pos_x, a.x) << a.t;
        EXPECT_EQ(b.pos_y, a.y) << a.t;
    }
}

TEST_F(BulletLaunch, WindComponentsAreTruncatedTowardZero)
{
    struct Case {
        double strength, angle, wx, wy;
    } cases[] = {{10, 45, 7, 7}, {10, 135, -7, 7}, {24, 200, -22, -8}, {24, 90, 0, 24}};
    for (const Case& c : cases) {
        b.reset(&w->memoria, 2.5, 50.0, c.strength, c.angle, 0, 0, 1, 1);
        EXPECT_EQ(b.wind_x, c.wx) << c.strength << "@" << c.angle;
        EXPECT_EQ(b.wind_y, c.wy) << c.strength << "@" << c.angle;
    }
    b.reset(&w->memoria, 2.5, 50.0, 10, 135, 100, 300, 1);
    position_at(1.0);
    EXPECT_EQ(b.pos_x, 452);
    EXPECT_EQ(b.pos_y, 61);
}

TEST_F(BulletLaunch, EightArgumentFormLaunchesTheSecondariesFromTheGlobalAim)
{
    w->vang = 50.0;
    b.reset(&w->memoria, 2.5, 0.0, 0.0, 90.0, 10, 20, 1);
    EXPECT_EQ(w->sec_bullet1.orbit_angle, 7.0);
    EXPECT_EQ(w->sec_bullet2.orbit_angle, 187.0);
    EXPECT_EQ(w->sec_bullet1.state, 0);
    EXPECT_EQ(w->sec_bullet1.origin_x, 10);
    EXPECT_EQ(w->sec_bullet2.origin_y, 20);
    EXPECT_EQ(w->sec_bullet1.orbit_radius, 0.0);

    b.reset(&w->memoria, 2.5, 0.0, 0.0, 90.0, 10, 20, -1);
    EXPECT_EQ(w->sec_bullet1.orbit_angle, 100.0);
    EXPECT_EQ(w->sec_bullet2.orbit_angle, 280.0);
}

TEST_F(BulletLaunch, NineArgumentFormLeavesTheSecondariesAlone)
{
    b.reset(&w->memoria, 2.5, 50.0, 0.0, 90.0, 10, 20, 1, 1);
    EXPECT_EQ(w->sec_bullet1.state, state_at_rest);
    EXPECT_EQ(w->sec_bullet2.state, state_at_rest);
}

TEST_F(BulletLaunch, PowerZeroOnlyFallsAndDrifts)
{
    b.reset(&w->memoria, 0.0, 0.0, 24.0, 0.0, 0, 0, 1, 1);
    position_at(1.0);
    EXPECT_EQ(b.pos_x, static_cast<int>(24 * wind_half_accel_x * 800));
    EXPECT_GT(b.pos_y, 0);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// Flight, collision and impact of the main projectile.
class BulletFlight : public ::testing::Test {
protected:
    std::unique_ptr<World> w = test::make_world();
    bullet& b = w->mainbullet;

    // Steps until the impact tick; returns the number of updates, -1 if none.
    int fly_to_impact(int limit = 400)
    {
        for (int n = 1; n <= limit; ++n) {
            b.update(0, 0);
            if (b.state != 0) return n;
        }
        return -1;
    }

    // Where the projectile stood at flight time t.
    POINT at_time(double t)
    {
        bullet probe = b;
        probe.time = t;
        probe.calc();
        return POINT{probe.pos_x, probe.pos_y};
    }

    void place_unit(bot& u, int x, int y)
    {
        u.reset(&w->memoria, 0, 90, x, y);
        u.pos_x = x;
        u.pos_y = y;
        u.slope = 0;
    }
};

TEST_F(BulletFlight, LeavingTheFieldIsAnImpactAtTheEdge)
{
    struct Case {
        const char* edge;
        int x, y, direction;
        double power;
        int impact_x, impact_y;  // -1: not fixed on that axis
        int unit_x, unit_y;      // a unit near the impact
        int carved_x, carved_y;  // a terrain pixel inside the crater
        int kept_x, kept_y;      // one just outside it
    } cases[] = {
        {"right", 2380, 700, 1, 1.0, 2400, -1, 2380, 760, 2390, 715, 2360, 701},
        {"left", -2380, 700, -1, 1.0, -2400, -1, -2380, 760, -2390, 715, -2360, 701},
        {"bottom", 0, 1200, 1, 0.0, 0, 1268, 40, 1260, -20, 1260, -20, 1243},
    };
    for (const Case& c : cases) {
        w = test::make_world();
        bullet& m = w->mainbullet;
        test::set_ground(*w, c.carved_x, c.carved_y, test::terrain);
        test::set_ground(*w, c.kept_x, c.kept_y, test::terrain);
        place_unit(w->target1, c.unit_x, c.unit_y);
        m.reset(&w->memoria, c.power, 0.0, 0.0, 90.0, c.x, c.y, c.direction);
        int n = 0;
        while (m.state == 0 && n < 400) {
            m.update(0, 0);
            ++n;
        }
        ASSERT_EQ(m.state, 1) << c.edge;
        if (c.impact_x != -1) {
            EXPECT_EQ(m.pos_x, c.impact_x) << c.edge;
        }
        if (c.impact_y != -1) {
            EXPECT_EQ(m.pos_y, c.impact_y) << c.edge;
        }
        EXPECT_EQ(test::ground_at(*w, c.carved_x, c.carved_y), test::empty) << c.edge;
        EXPECT_EQ(test::ground_at(*w, c.kept_x, c.kept_y), test::terrain) << c.edge;
        EXPECT_LT(w->target1.hp, 1000) << c.edge;
    }
}

TEST_F(BulletFlight, FlatMapGroundStopsTheShotAndSparesTheUnits)
{
    w->flat_map = 1;
    place_unit(w->player_bot, 190, 500);
    b.reset(&w->memoria, 1.0, 80.0, 0.0, 90.0, 110, 480, 1);
    ASSERT_GT(fly_to_impact(), 0);
    EXPECT_GE(b.pos_y, 500);
    EXPECT_LT(at_time(b.time - sub_step).y, 500);
    EXPECT_EQ(w->player_bot.hp, 1000);
}

TEST_F(BulletFlight, ImpactIsDrawnOnFortyTicksThenRests)
{
    w->flat_map = 1;
    b.reset(&w->memoria, 1.0, 80.0, 0.0, 90.0, 110, 480, 1);
    ASSERT_GT(fly_to_impact(), 0);
    const POINT impact{b.pos_x, b.pos_y};
    const double impact_time = b.time;
    int drawn = 1;  // the impact tick
    for (int n = 0; n < 60; ++n) {
        std::fill(w->memoria.data(), w->memoria.data() + frame_width * frame_height, test::black);
        if (b.update(0, 0) == 0) break;
        ++drawn;
        EXPECT_EQ(GetPixel(w->memoria, impact.x, impact.y), 0x0020B652u);
    }
    EXPECT_EQ(drawn, 40);
    EXPECT_EQ(b.state, state_at_rest);
    EXPECT_EQ(b.time, impact_time);
    EXPECT_EQ(b.pos_x, impact.x);
    EXPECT_EQ(GetPixel(w->memoria, impact.x, impact.y), test::black);
}

TEST_F(BulletFlight, RefinementWithoutAHitEndsAtTheTwentyFifthSubStep)
{
    b.reset(&w->memoria, 2.5, 50.0, 0.0, 90.0, 0, 0, 1);
    for (int n = 0; n < 10; ++n) b.update(0, 0);
    ASSERT_EQ(b.state, 0);
    const double t = b.time;
    // A unit stands on a point away from the path and the shot is put there:
    // the position is blocked, but no point of the path back to it is.
    place_unit(w->target1, 1000, 300);
    b.pos_x = 1000;
    b.pos_y = 290;
    b.update(0, 0);
    EXPECT_EQ(b.state, 1);
    EXPECT_NEAR(b.time, t, 1e-9);
    const POINT end = at_time(b.time);
    EXPECT_EQ(b.pos_x, end.x);
    EXPECT_EQ(b.pos_y, end.y);
}

TEST_F(BulletFlight, TerrainAndBothUnitsBlockAShot)
{
    // x = -1600 is the first column of stripe 1, y = 500 its top row; a unit
    // contact leaves the state alone, a terrain contact counts it.
    test::set_ground(*w, -1600, 500, test::terrain);
    place_unit(w->player_bot, 200, 300);
    struct Case {
        int x, y, blocked, state;
    } cases[] = {
        {-1600, 500, 1, 1}, {-1601, 500, 0, 0}, {-1600, 499, 0, 0}, {200, 300, 1, 0},
        {200, 271, 1, 0},   {200, 270, 0, 0},   {174, 290, 0, 0},   {225, 300, 1, 0},
    };
    for (const Case& c : cases) {
        b.state = 0;
        b.pos_x = c.x;
        b.pos_y = c.y;
        EXPECT_EQ(b.hit(), c.blocked) << c.x << "," << c.y;
        EXPECT_EQ(b.state, c.state) << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace qm
