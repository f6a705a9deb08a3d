// Launch and closed-form trajectory of a body.
#include "bodies/bullet.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/world.h"

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
