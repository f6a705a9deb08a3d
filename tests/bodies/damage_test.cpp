// Hit points lost to an impact, and the damage text that shows them.
#include <gtest/gtest.h>

#include "bodies/bot.h"
#include "test_world.h"

namespace qm {
namespace {

class Damage : public ::testing::Test {
protected:
    std::unique_ptr<World> w = test::make_world();
    bot& b = w->target1;

    void SetUp() override
    {
        test::stand_at(*w, b, 100, 700);
        b.slope = 0;
    }

    int hit_at(int dx, int dy)
    {
        int before = b.hp;
        b.damage(b.pos_x + dx, b.pos_y + dy);
        return before - b.hp;
    }
};

TEST_F(Damage, BodyHitsCostMoreThanNearMisses)
{
    struct Case {
        int dx, dy, amount;
    } cases[] = {
        // On the body, outline included: 120 - d.
        {0, 0, 120}, {0, -10, 110}, {0, -20, 100}, {0, -29, 91}, {-25, -10, 94}, {25, 0, 95},
        // Off the body: 120 - trunc(d x 1.776); below the contact point, and
        // just outside the top and side edges.
        {0, 10, 103}, {0, 20, 85}, {0, 30, 67}, {0, 39, 51}, {0, 50, 32}, {0, 60, 14}, {0, 67, 2},
        {0, 68, 0}, {0, 500, 0}, {0, -30, 67}, {-26, -10, 73},
    };
    for (const Case& c : cases) {
        b.hp = 1000;
        b.damage_ticks = 0;
        EXPECT_EQ(hit_at(c.dx, c.dy), c.amount) << c.dx << "," << c.dy;
        EXPECT_EQ(b.damage_shown, c.amount != 0 ? c.amount : b.damage_shown);
        EXPECT_EQ(b.damage_ticks, c.amount != 0 ? 80 : 0) << c.dx << "," << c.dy;
    }
}

TEST_F(Damage, HitPointsStopAtZeroAndTheDeadCanStillBeHit)
{
    // Eight full hits leave 40; the ninth kills.
    for (int i = 0; i < 8; ++i) b.damage(b.pos_x, b.pos_y);
    EXPECT_EQ(b.hp, 40);
    b.hp = 50;
    b.damage_ticks = 0;
    b.damage(b.pos_x, b.pos_y);
    EXPECT_EQ(b.hp, 0);
    EXPECT_EQ(b.damage_shown, 120);
    b.damage(b.pos_x, b.pos_y + 10);
    EXPECT_EQ(b.hp, 0);
    EXPECT_EQ(b.damage_shown, 223);
    EXPECT_EQ(b.damage_ticks, 80);
}

TEST_F(Damage, HitsWhileTheTextRunsAddUp)
{
    b.damage(b.pos_x, b.pos_y + 17);  // 90
    b.damage_ticks = 3;               // the first text still up
    b.damage(b.pos_x, b.pos_y + 40);  // 49
    EXPECT_EQ(b.damage_shown, 139);
    EXPECT_EQ(b.damage_ticks, 80);

    // Once the text is gone a hit starts a new number.
    b.damage_ticks = 0;
    b.damage(b.pos_x, b.pos_y + 40);
    EXPECT_EQ(b.damage_shown, 49);

    // A blast that costs nothing leaves the text alone.
    b.damage_ticks = 5;
    b.damage(b.pos_x, b.pos_y + 68);
    EXPECT_EQ(b.damage_shown, 49);
    EXPECT_EQ(b.damage_ticks, 5);
}

}  // namespace
}  // namespace qm
