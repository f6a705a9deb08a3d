// The slope measured from contact samples around a unit.
#include <gtest/gtest.h>

#include <functional>

#include "bodies/bot.h"
#include "test_world.h"

namespace qm {
namespace {

TEST(Slope, GroundShapesGiveTheirAngles)
{
    // Terrain relative to the contact point (dx, dy), y growing downward.
    struct Case {
        const char* ground;
        std::function<bool(int, int)> solid;
        int slope;
    } cases[] = {
        {"level", [](int, int dy) { return dy >= 0; }, 0},
        {"rising right at 45", [](int dx, int dy) { return dy >= -dx; }, 315},
        {"falling right at 45", [](int dx, int dy) { return dy >= dx; }, 45},
        {"rising right at 1/2", [](int dx, int dy) { return 2 * dy >= -dx; }, 330},
        {"all solid", [](int, int) { return true; }, 345},
        {"nothing", [](int, int) { return false; }, 180},
    };
    const int x0 = 100;
    const int y0 = 700;
    for (const Case& c : cases) {
        auto w = test::make_world();
        test::lay_terrain(*w, x0 - 30, y0 - 30, x0 + 30, y0 + 30,
                          [&](int x, int y) { return c.solid(x - x0, y - y0); });
        bot& b = w->target1;
        b.reset(&w->memoria, 0, 90, 0, 0);
        b.pos_x = x0;
        b.pos_y = y0;
        b.state = 3;
        EXPECT_EQ(b.get_slope(), c.slope) << c.ground;
        EXPECT_EQ(b.pos_x, x0);
        EXPECT_EQ(b.pos_y, y0);
        EXPECT_EQ(b.state, 3);
        EXPECT_EQ(b.respawn_ticks, 0);
    }
}

TEST(Slope, SamplesBeyondTheWorldStartTheCountdown)
{
    auto w = test::make_world();
    test::lay_level_ground(*w, 2300, 2400, 700);
    bot& b = w->target1;
    b.reset(&w->memoria, 0, 90, 0, 0);
    b.pos_x = 2385;
    b.pos_y = 700;
    b.state = 0;
    b.get_slope();
    EXPECT_EQ(b.respawn_ticks, 35);
}

}  // namespace
}  // namespace qm
