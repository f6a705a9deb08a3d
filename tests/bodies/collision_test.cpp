// The point test against a unit's body, drawn on the shared scratch surface.
#include <gtest/gtest.h>

#include "bodies/bot.h"
#include "test_world.h"

namespace qm {
namespace {

class Collision : public ::testing::Test {
protected:
    std::unique_ptr<World> w = test::make_world();
    bot& b = w->target1;

    void SetUp() override
    {
        test::stand_at(*w, b, 300, 700);
    }
};

TEST_F(Collision, BodyTurnsWithTheSlope)
{
    struct Case {
        double slope;
        int dx, dy, hit;
    } cases[] = {
        {0, 0, 0, 1},    {0, -25, -29, 1}, {0, 25, -29, 1},  {0, 26, -10, 0}, {0, 0, 1, 0},
        {0, -20, 0, 1},  {45, -20, 0, 0},  {45, 10, -10, 1}, {45, 24, -24, 0}, {45, 37, -3, 1},
        {180, 0, 10, 1}, {180, 0, -10, 0}, {90, 20, 0, 1},   {90, -5, 0, 0},
    };
    for (const Case& c : cases) {
        b.slope = c.slope;
        EXPECT_EQ(b.collision(b.pos_x + c.dx, b.pos_y + c.dy), c.hit) << c.slope << ": " << c.dx << "," << c.dy;
    }
}

TEST_F(Collision, TestBoxReachesFortyPixelsLeftAndUpButNotRightAndDown)
{
    // Points outside the 80 by 80 box are answered without drawing, so the
    // scratch surface keeps a mark laid before the call. The world is told
    // that the surface holds no body, so that a point inside has to draw it.
    struct Case {
        int dx, dy;
        bool drawn;
    } cases[] = {{-40, 0, true}, {40, 0, false}, {-41, 0, false}, {0, -40, true}, {0, 40, false}, {39, 39, true}};
    for (const Case& c : cases) {
        SetPixel(w->targ1_dc, 0, 0, 0x00123456);
        w->targ1_holds_body = 0;
        EXPECT_EQ(b.collision(b.pos_x + c.dx, b.pos_y + c.dy), 0) << c.dx << "," << c.dy;
        EXPECT_EQ(GetPixel(w->targ1_dc, 0, 0) != 0x00123456u, c.drawn) << c.dx << "," << c.dy;
    }
    // The scratch surface is cleared white around the black body.
    b.collision(b.pos_x, b.pos_y);
    EXPECT_EQ(GetPixel(w->targ1_dc, 0, 0), test::white);
    EXPECT_EQ(GetPixel(w->targ1_dc, 40, 30), test::black);
}

TEST_F(Collision, BothUnitsShareTheScratchSurface)
{
    player& p = w->player_bot;
    test::stand_at(*w, p, 330, 700);
    p.slope = 180;
    // Each test redraws the scratch surface for its own unit.
    EXPECT_EQ(b.collision(300, 690), 1);
    EXPECT_EQ(p.collision(300, 690), 0);
    EXPECT_EQ(b.collision(300, 690), 1);
    EXPECT_EQ(p.collision(330, 710), 1);
}

TEST_F(Collision, ABodyAlreadyDrawnAnswersAsADrawingWould)
{
    // Tests at a slope already on the scratch surface read it as it is; any
    // other slope, or the other unit at another slope, draws anew. Each
    // answer must be that of a surface drawn for that very call.
    player& p = w->player_bot;
    test::stand_at(*w, p, 330, 700);
    std::unique_ptr<World> fresh = test::make_world();
    fresh->target1 = b;
    fresh->player_bot = p;
    fresh->target1.field = &fresh->field;
    fresh->player_bot.field = &fresh->field;
    struct Case {
        bool on_player;
        double slope;
        int x, y;
    } cases[] = {
        {false, 0, 280, 700},   {false, 45, 280, 700},  {false, 45, 337, 697}, {false, 0, 337, 697},
        {false, 0, 324, 676},   {true, 0, 354, 676},    {true, 45, 354, 676},  {false, 45, 324, 676},
        {true, 180, 330, 710},  {false, 180, 300, 690}, {false, 0, 300, 690},
    };
    for (const Case& c : cases) {
        bot& unit = c.on_player ? static_cast<bot&>(p) : b;
        bot& same = c.on_player ? static_cast<bot&>(fresh->player_bot) : fresh->target1;
        unit.slope = c.slope;
        same.slope = c.slope;
        fresh->targ1_holds_body = 0;
        EXPECT_EQ(unit.collision(c.x, c.y), same.collision(c.x, c.y))
            << (c.on_player ? "player" : "target") << " at slope " << c.slope << ": " << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace qm
