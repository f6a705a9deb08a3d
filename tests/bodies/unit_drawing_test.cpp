// Drawing of the units: body, hit-point bar, damage text and the muzzle.
#include <gtest/gtest.h>

#include "bodies/body_polygon.h"
#include "bodies/bot.h"
#include "test_world.h"

namespace qm {
namespace {

constexpr COLORREF grey = 0x00C0C0C0;

class UnitDrawing : public ::testing::Test {
protected:
    std::unique_ptr<World> w = test::make_world();

    void SetUp() override { clear_frame(); }

    void clear_frame() { std::fill(w->memoria.data(), w->memoria.data() + frame_width * frame_height, grey); }

    COLORREF px(int x, int y) const { return GetPixel(w->memoria, x, y); }

    void place(bot& b, int x, int y)
    {
        b.reset(&w->memoria, 0, 90, x, y);
        b.pos_x = x;
        b.pos_y = y;
        b.view_x = 0;
        b.view_y = 0;
    }
};

TEST_F(UnitDrawing, BodyCornersOnLevelAndUpsideDown)
{
    POINT c[body_corner_count];
    body_polygon(0.0, 100, 460, c);
    const int level[4][2] = {{75, 431}, {125, 431}, {125, 460}, {75, 460}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(c[i].x, level[i][0]) << i;
        EXPECT_EQ(c[i].y, level[i][1]) << i;
    }
    // With no ground about (slope 180) the body hangs below the contact point.
    body_polygon(180.0, 100, 460, c);
    const int upside_down[4][2] = {{125, 489}, {75, 489}, {75, 460}, {125, 460}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(c[i].x, upside_down[i][0]) << i;
        EXPECT_EQ(c[i].y, upside_down[i][1]) << i;
    }
}

TEST_F(UnitDrawing, MuzzleOffsetsFollowSlopeAndFacing)
{
    struct Case {
        double slope;
        int right_x, right_y, left_x, left_y;
    } cases[] = {
        {0, 30, -37, -30, -37},  {15, 38, -29, -19, -44}, {30, 45, -18, -7, -47},  {45, 48, -6, 6, -48},
        {315, -6, -48, -48, -6}, {330, 7, -47, -45, -18}, {345, 19, -44, -38, -29}, {180, -30, 37, 30, 37},
    };
    player& p = w->player_bot;
    place(p, 100, 460);
    for (const Case& c : cases) {
        p.slope = c.slope;
        p.facing = 1;
        p.paint();
        EXPECT_EQ(p.launch_x - p.pos_x, c.right_x) << c.slope;
        EXPECT_EQ(p.launch_y - p.pos_y, c.right_y) << c.slope;
        p.facing = -1;
        p.paint();
        EXPECT_EQ(p.launch_x - p.pos_x, c.left_x) << c.slope;
        EXPECT_EQ(p.launch_y - p.pos_y, c.left_y) << c.slope;
    }
}

TEST_F(UnitDrawing, TargetBodyAndFullBar)
{
    bot& b = w->target1;
    place(b, 100, 460);
    b.paint();
    EXPECT_EQ(px(100, 445), 0x002040E0u);  // body fill
    EXPECT_EQ(px(75, 431), 0x00000000u);   // outline corner
    EXPECT_EQ(px(125, 460), 0x00000000u);
    EXPECT_EQ(px(100, 461), grey);
    // Frame from (62, 468) to (139, 472), bar from (63, 469) to (138, 471).
    EXPECT_EQ(px(62, 468), 0x00FFFFFFu);
    EXPECT_EQ(px(138, 471), 0x00FFFFFFu);
    EXPECT_EQ(px(139, 471), grey);
    EXPECT_EQ(px(62, 472), grey);
    EXPECT_EQ(px(63, 469), 0x0030E030u);
    EXPECT_EQ(px(137, 470), 0x0030E030u);
}

TEST_F(UnitDrawing, BarLengthFollowsHitPoints)
{
    struct Case {
        int hp, green;  // green columns from x 63
    } cases[] = {{1000, 75}, {500, 37}, {14, 1}, {13, 0}, {0, 0}};
    bot& b = w->target1;
    place(b, 100, 460);
    for (const Case& c : cases) {
        clear_frame();
        b.hp = c.hp;
        b.paint();
        int green = 0;
        for (int x = 60; x < 142; ++x) {
            for (int y = 466; y < 474; ++y) green += px(x, y) == 0x0030E030u ? 1 : 0;
        }
        EXPECT_EQ(green, 2 * c.green) << c.hp;
        if (c.green < 75) {
            EXPECT_EQ(px(63 + c.green, 469), 0x00000000u) << c.hp;
        }
    }
}

TEST_F(UnitDrawing, DamageTextShowsForEightyPaints)
{
    bot& b = w->target1;
    place(b, 100, 460);
    b.damage(b.pos_x, b.pos_y);
    EXPECT_EQ(b.damage_ticks, 80);
    int black_in_text_area = 0;
    b.paint();
    for (int y = 360; y < 380; ++y) {
        for (int x = 100; x < 140; ++x) black_in_text_area += px(x, y) == 0x00000000u ? 1 : 0;
    }
    EXPECT_GT(black_in_text_area, 0);
    EXPECT_EQ(px(99, 365), grey);  // the text starts at the contact point's x
    for (int n = 1; n < 80; ++n) b.paint();
    EXPECT_EQ(b.damage_ticks, 0);
    clear_frame();
    b.paint();
    for (int y = 360; y < 380; ++y) {
        for (int x = 100; x < 140; ++x) EXPECT_EQ(px(x, y), grey);
    }
}

TEST_F(UnitDrawing, PlayerOnTheFlatMapHasNoBarOrText)
{
    player& p = w->player_bot;
    place(p, 100, 460);
    p.damage_ticks = 10;
    p.damage_shown = 5;
    w->flat_map = 1;
    p.paint();
    EXPECT_EQ(px(100, 445), 0x0040A020u);
    EXPECT_EQ(px(62, 468), grey);
    EXPECT_EQ(p.damage_ticks, 10);
    w->flat_map = 0;
    p.paint();
    EXPECT_EQ(px(62, 468), 0x00FFFFFFu);
    EXPECT_EQ(p.damage_ticks, 9);
}

TEST_F(UnitDrawing, PlayerDrawsTheGaugeAtItsMuzzleUnderTheBody)
{
    std::fill(w->memoria.data(), w->memoria.data() + frame_width * frame_height, test::black);
    player& p = w->player_bot;
    place(p, 100, 460);
    p.paint();
    EXPECT_EQ(p.launch_x, 130);
    EXPECT_EQ(p.launch_y, 423);
    EXPECT_EQ(px(130, 423), 0x00C0C0C0u);  // the gauge's hub at the muzzle
    EXPECT_EQ(px(120, 440), 0x0040A020u);  // the body covers the gauge
}

}  // namespace
}  // namespace qm
