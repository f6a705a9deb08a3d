// The secondary projectiles circling the main projectile's path.
#include "bodies/sec_bullet.h"

#include <gtest/gtest.h>

#include "test_world.h"

namespace qm {
namespace {

TEST(SecBullet, OffsetsFromTheMainPathTurnAndGrow)
{
    struct Case {
        int direction, tick;
        int x1, y1, x2, y2;  // offsets of sec_bullet1 and sec_bullet2
        double radius;
    } cases[] = {
        {1, 1, 3, 0, -3, 0, 3.6},      {1, 2, 6, 1, -6, -1, 7.2},     {1, 12, 25, 35, -25, -35, 43.2},
        {-1, 1, 0, 3, 0, -3, 3.6},     {-1, 2, 0, 7, 0, -7, 7.2},     {-1, 12, 26, 34, -26, -34, 43.2},
        {1, 30, 0, 0, 0, 0, 43.2},
    };
    for (const Case& c : cases) {
        auto w = test::make_world();
        w->vang = 50.0;
        bullet& m = w->mainbullet;
        m.reset(&w->memoria, 2.5, 50.0, 0.0, 90.0, 0, 0, c.direction);
        for (int n = 0; n < c.tick; ++n) m.update(0, 0);
        ASSERT_EQ(m.state, 0);
        const sec_bullet& s1 = w->sec_bullet1;
        const sec_bullet& s2 = w->sec_bullet2;
        EXPECT_EQ(s1.time, m.time);
        EXPECT_NEAR(s1.orbit_radius, c.radius, 1e-9) << c.tick;
        EXPECT_NEAR(s1.orbit_angle - s2.orbit_angle, -180.0, 1e-9);
        if (c.tick > 12) continue;
        EXPECT_EQ(s1.pos_x - m.pos_x, c.x1) << c.direction << " tick " << c.tick;
        EXPECT_EQ(s1.pos_y - m.pos_y, c.y1) << c.direction << " tick " << c.tick;
        EXPECT_EQ(s2.pos_x - m.pos_x, c.x2) << c.direction << " tick " << c.tick;
        EXPECT_EQ(s2.pos_y - m.pos_y, c.y2) << c.direction << " tick " << c.tick;
    }
}

TEST(SecBullet, StrikesOnItsOwnWithCraterAndDamage)
{
    auto w = test::make_world();
    // A terrain pixel where sec_bullet1 stands after the third tick and a
    // unit close by; the main projectile's path stays clear of both.
    bullet& m = w->mainbullet;
    m.reset(&w->memoria, 2.5, 50.0, 0.0, 90.0, 0, 700, 1);
    auto probe = std::make_unique<World>(*w);
    for (int n = 0; n < 3; ++n) probe->mainbullet.update(0, 0);
    const int x = probe->sec_bullet1.pos_x;
    const int y = probe->sec_bullet1.pos_y;
    ASSERT_NE(x, probe->mainbullet.pos_x);
    test::set_ground(*w, x, y, test::terrain);
    test::set_ground(*w, x + 5, y + 5, test::terrain);
    // Placing a unit relaunches the secondaries from it, so the shot is
    // fired again afterwards.
    w->target1.reset(&w->memoria, 0, 90, x, y + 60);
    w->target1.pos_x = x;
    w->target1.pos_y = y + 60;
    m.reset(&w->memoria, 2.5, 50.0, 0.0, 90.0, 0, 700, 1);

    for (int n = 0; n < 3; ++n) m.update(0, 0);
    const sec_bullet& s = w->sec_bullet1;
    EXPECT_EQ(s.state, 1);
    EXPECT_EQ(m.state, 0);
    EXPECT_EQ(w->sec_bullet2.state, 0);
    EXPECT_EQ(test::ground_at(*w, x + 5, y + 5), test::empty);
    EXPECT_LT(w->target1.hp, 1000);
    // The offset turned by the whole tick and by each sub-step taken after.
    const double extra = s.orbit_angle - (7.0 + 3 * 3.96);
    EXPECT_GT(extra, 0.1);
    EXPECT_LE(extra, 25 * 0.1584 + 1e-9);
}

TEST(SecBullet, StopWhereTheyAreWhenTheMainProjectileRests)
{
    auto w = test::make_world();
    w->flat_map = 1;
    bullet& m = w->mainbullet;
    // The main projectile drops 5 pixels onto the flat ground; its
    // secondaries are moved far up so that they are still flying when it rests.
    m.reset(&w->memoria, 0.0, 0.0, 0.0, 90.0, 0, 495, 1);
    w->sec_bullet1.origin_y = -500;
    w->sec_bullet2.origin_y = -500;
    int busy = 0;
    while (m.update(0, 0) != 0 && busy < 100) ++busy;
    EXPECT_EQ(busy, 7 + 39);  // impact on the 7th tick, then the count
    const sec_bullet& s = w->sec_bullet1;
    EXPECT_EQ(s.state, 0);
    const double t = s.time;
    const int y = s.pos_y;
    m.update(0, 0);
    EXPECT_EQ(s.time, t);
    EXPECT_EQ(s.pos_y, y);
}

}  // namespace
}  // namespace qm
