// A unit's placement, fall, landing, ground contact, death and respawn.
#include "bodies/bot.h"

#include <gtest/gtest.h>

#include "test_world.h"

namespace qm {
namespace {

using test::make_world;

// Steps the unit until its fall is anchored on the ground (focus_ticks leaves
// 40 on the landing tick); returns the number of updates taken.
int settle(bot& b, int limit = 200)
{
    for (int n = 1; n <= limit; ++n) {
        b.update(0, 0);
        if (b.focus_ticks < 40) return n;
    }
    return -1;
}

TEST(BotFall, FlatMapLandingsUnderEveryWind)
{
    struct Case {
        double wind, wang;
        int landing_update, x;
    } cases[] = {
        {0, 90, 61, 0},  {24, 0, 61, 42},  {24, 180, 61, -42},
        {10, 45, 62, 12}, {24, 90, 64, 0}, {24, 270, 59, 0},
    };
    for (const Case& c : cases) {
        auto w = make_world();
        w->flat_map = 1;
        player& p = w->player_bot;
        p.reset(&w->memoria, c.wind, c.wang, 0, 0);
        int landed = 0;
        for (int n = 1; n <= 80 && landed == 0; ++n) {
            p.update(0, 0);
            if (n == 1) {
                // The first advance moves 0.135 pixels, truncated to nothing.
                EXPECT_EQ(p.pos_x, 0);
                EXPECT_EQ(p.pos_y, 0);
            }
            if (p.anchor_y != 0) landed = n;
        }
        EXPECT_EQ(landed, c.landing_update) << c.wind << "@" << c.wang;
        EXPECT_EQ(p.pos_x, c.x) << c.wind << "@" << c.wang;
        EXPECT_EQ(p.pos_y, 500) << c.wind << "@" << c.wang;
        EXPECT_EQ(p.anchor_x, c.x);
        EXPECT_EQ(p.time, 0.0);
        EXPECT_EQ(p.state, 0);
    }
}

TEST(BotFall, RestingUnitKeepsItsAnchorAndCountsFocusDown)
{
    auto w = make_world();
    w->flat_map = 1;
    player& p = w->player_bot;
    p.reset(&w->memoria, 0, 90, 0, 0);
    for (int n = 1; n < 61; ++n) {
        p.update(0, 0);
        EXPECT_EQ(p.focus_ticks, 40) << n;
    }
    // The landing tick is the first of 40 ticks of contact.
    for (int n = 1; n <= 40; ++n) {
        p.update(0, 0);
        EXPECT_EQ(p.focus_ticks, 40 - n);
        EXPECT_EQ(p.time, 0.0);
        EXPECT_EQ(p.anchor_x, 0);
        EXPECT_EQ(p.anchor_y, 500);
    }
    EXPECT_EQ(p.bot::focus(), 0);
    p.update(0, 0);
    EXPECT_EQ(p.focus_ticks, 0);
}

TEST(BotFall, UnitStandsOnTheSinglePixelUnderItsContactPoint)
{
    auto w = make_world();
    test::lay_level_ground(*w, -200, 400, 700);
    bot& b = w->target1;
    b.reset(&w->memoria, 0, 90, 100, 690);
    ASSERT_GT(settle(b), 0);
    EXPECT_EQ(b.pos_x, 100);
    EXPECT_EQ(b.pos_y, 700);
    for (int n = 0; n < 41; ++n) b.update(0, 0);
    EXPECT_EQ(b.focus_ticks, 0);

    // Ground remains under the rest of the body, but not at the contact point.
    test::set_ground(*w, 100, 700, test::empty);
    b.update(0, 0);
    EXPECT_EQ(b.focus_ticks, 40);
    EXPECT_EQ(b.time, tick_step);
    EXPECT_EQ(b.pos_y, 700);
    EXPECT_GT(settle(b), 0);
    EXPECT_EQ(b.anchor_x, 100);
    EXPECT_EQ(b.anchor_y, 701);
}

TEST(BotContact, WorldBoundsCountAsGroundAndStartTheCountdown)
{
    struct Case {
        int x, y, contact;
    } cases[] = {
        {2399, 400, 0}, {2400, 400, 1}, {-2399, 400, 0}, {-2400, 400, 1},
        {0, 1267, 0},   {0, 1268, 1},   {0, -100000, 0},
    };
    for (const Case& c : cases) {
        auto w = make_world();
        bot& b = w->target1;
        test::stand_at(*w, b, c.x, c.y);
        EXPECT_EQ(b.hit(), c.contact) << c.x << "," << c.y;
        EXPECT_EQ(b.state, c.contact);
        EXPECT_EQ(b.respawn_ticks, c.contact != 0 ? 35 : 0) << c.x << "," << c.y;
    }
    // A running countdown is not restarted.
    auto w = make_world();
    bot& b = w->target1;
    b.reset(&w->memoria, 0, 90, 0, 0);
    b.respawn_ticks = 12;
    b.pos_x = 2400;
    b.hit();
    EXPECT_EQ(b.respawn_ticks, 12);
}

TEST(BotContact, TerrainAndFlatGroundTests)
{
    auto w = make_world();
    bot& b = w->target1;
    b.reset(&w->memoria, 0, 90, 0, 0);
    // x = -1600 is the first column of stripe 1; y = 500 the top row.
    test::set_ground(*w, -1600, 500, test::terrain);
    struct Case {
        int x, y, contact;
    } cases[] = {{-1600, 500, 1}, {-1601, 500, 0}, {-1600, 501, 0}, {2399, 1267, 0}};
    for (const Case& c : cases) {
        b.state = 0;
        b.pos_x = c.x;
        b.pos_y = c.y;
        EXPECT_EQ(b.hit(), c.contact) << c.x << "," << c.y;
    }
    test::set_ground(*w, 2399, 1267, test::terrain);
    b.pos_x = 2399;
    b.pos_y = 1267;
    EXPECT_EQ(b.hit(), 1);

    // The flat map's ground is the line y = 500; the stripes are not read.
    w->flat_map = 1;
    b.pos_x = -1600;
    b.pos_y = 499;
    EXPECT_EQ(b.hit(), 0);
    b.pos_y = 500;
    b.pos_x = 0;
    EXPECT_EQ(b.hit(), 1);
}

TEST(BotLife, UnplacedUnitIsNotSteppedOrHit)
{
    auto w = make_world();
    EXPECT_EQ(w->target1.update(0, 0), 0);
    EXPECT_EQ(w->target1.collision(0, 0), 0);
    EXPECT_EQ(w->target1.state, state_at_rest);
    EXPECT_EQ(w->target1.bot::focus(), 0);
}

TEST(BotLife, PlacementKeepsTheTextSlopeAndFocusAndRelaunchesTheSecondaries)
{
    auto w = make_world();
    bot& b = w->target1;
    b.reset(&w->memoria, 24, 0, 5, 6);
    b.slope = 45;
    b.focus_ticks = 17;
    b.damage_shown = 99;
    b.damage_ticks = 30;
    b.hp = 0;
    b.respawn_ticks = 3;
    b.reset(&w->memoria, 10, 45, 300, 0);
    EXPECT_EQ(b.slope, 45);
    EXPECT_EQ(b.focus_ticks, 17);
    EXPECT_EQ(b.damage_shown, 99);
    EXPECT_EQ(b.damage_ticks, 30);
    EXPECT_EQ(b.hp, 1000);
    EXPECT_EQ(b.respawn_ticks, 0);
    EXPECT_EQ(b.anchor_x, 300);
    EXPECT_EQ(b.anchor_y, 0);
    EXPECT_EQ(b.wind_x, 7.0);
    EXPECT_EQ(b.wind_y, 7.0);
    EXPECT_EQ(b.pos_x, placeholder_x);
    EXPECT_EQ(b.pos_y, placeholder_y);
    EXPECT_EQ(b.dc, &w->memoria);
    for (const sec_bullet* s : {&w->sec_bullet1, &w->sec_bullet2}) {
        EXPECT_EQ(s->state, 0);
        EXPECT_EQ(s->origin_x, 300);
        EXPECT_EQ(s->origin_y, 0);
    }
}

TEST(BotLife, DeathDrawsTwentySixTicksHidesEightAndRespawnsOnTheThirtyFourth)
{
    auto w = make_world();
    test::lay_level_ground(*w, -300, 700, 700);
    bot& b = w->target1;
    b.reset(&w->memoria, 0, 90, 180, 690);
    ASSERT_GT(settle(b), 0);
    w->random_x = 900;
    w->wind = 10;
    w->wang = 45;

    b.hp = 0;
    b.damage_shown = 5;
    b.damage_ticks = 100;  // every drawn tick counts it down
    for (int tick = 1; tick <= 34; ++tick) {
        int before = b.damage_ticks;
        b.update(0, 0);
        bool drawn = b.damage_ticks < before;
        EXPECT_EQ(drawn, tick <= 26) << tick;
        if (tick == 1) {
            EXPECT_EQ(b.focus_ticks, 40);
        }
        if (tick < 34) {
            EXPECT_EQ(b.hp, 0) << tick;
            EXPECT_EQ(b.respawn_ticks, 35 - tick) << tick;
        }
    }
    // Placed anew at the end of the 34th tick, not yet drawn there.
    EXPECT_EQ(b.respawn_ticks, 0);
    EXPECT_EQ(b.hp, 1000);
    EXPECT_EQ(b.anchor_x, 100);
    EXPECT_EQ(b.anchor_y, 0);
    EXPECT_EQ(b.pos_x, placeholder_x);
    EXPECT_EQ(b.pos_y, placeholder_y);
    EXPECT_EQ(b.wind_x, 7.0);
    EXPECT_EQ(b.state, 0);
    // The text still running carries over the respawn.
    EXPECT_EQ(b.damage_ticks, 74);
    EXPECT_EQ(b.damage_shown, 5);
    b.update(0, 0);
    EXPECT_EQ(b.damage_ticks, 73);
    EXPECT_EQ(b.pos_x, 100);
}

TEST(BotFocus, PlayerAnswersZeroOnceAfterAShot)
{
    auto w = make_world();
    player& p = w->player_bot;
    EXPECT_EQ(p.focus(), 1);
    p.just_fired = 1;
    EXPECT_EQ(p.focus(), 0);
    EXPECT_EQ(p.just_fired, 0);
    EXPECT_EQ(p.focus(), 1);

    bot& b = w->target1;
    b.focus_ticks = 1;
    EXPECT_EQ(b.focus(), 1);
    b.focus_ticks = 0;
    EXPECT_EQ(b.focus(), 0);
}

}  // namespace
}  // namespace qm
