// The whole tick: its phases in order, seen through the frame they compose.
#include "core/paint.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/init_dcs.h"
#include "core/world.h"

namespace qm {
namespace {

constexpr COLORREF terrain = 0x00FF0000;
constexpr COLORREF empty = 0x00C0C0C0;

class Paint : public ::testing::Test {
protected:
    std::unique_ptr<World> w = std::make_unique<World>();

    void SetUp() override
    {
        fill_circle_samp(*w);
        init_DCs(*w);
    }

    // Holds the view at (x, y) for the next few ticks.
    void hold_view(int x, int y)
    {
        for (int i = 0; i < 4; ++i) {
            w->cam1.ring_x[i] = x;
            w->cam1.ring_y[i] = y;
        }
        w->cam1.prev_x = x;
        w->cam1.prev_y = y;
    }
};

TEST_F(Paint, ACraterShowsInTheFrameFromTheNextTick)
{
    // Stripe 3 covers world x 0 to 799, y 500 to 1299: all terrain. A shell
    // dropped at (400, 510) strikes in its first step.
    for (int y = 0; y < stripe_size; ++y)
        for (int x = 0; x < stripe_size; ++x) SetPixel(w->ground[3], x, y, terrain);
    hold_view(0, 300);
    w->mainbullet.reset(&w->memoria, 0.0, 0.0, 0.0, 0.0, 400, 510, 1, 0);

    // Inside the crater, clear of the shell's own mark.
    const int world_x = 420;
    const int world_y = 515;
    paint(*w);
    ASSERT_EQ(w->cam1.cam_x, 0);
    ASSERT_EQ(w->cam1.cam_y, 300);
    EXPECT_EQ(w->mainbullet.state, 1);
    EXPECT_EQ(GetPixel(w->ground[3], world_x, world_y - 500), empty);
    // The background was drawn before the shell struck.
    EXPECT_EQ(GetPixel(w->memoria, world_x, world_y - 300), terrain);

    paint(*w);
    EXPECT_EQ(GetPixel(w->memoria, world_x, world_y - 300), empty);
}

TEST_F(Paint, TheShotLeavesAtTheEndOfItsTickAndIsDrawnFromTheNext)
{
    w->flat_map = 1;
    w->fire_now = 1;
    w->shoot_delay = 29;
    paint(*w);
    EXPECT_EQ(w->mainbullet.state, 0);
    EXPECT_EQ(w->mainbullet.time, 0.0);
    EXPECT_EQ(w->mainbullet.origin_x, w->player_bot.launch_x);
    EXPECT_EQ(w->mainbullet.origin_y, w->player_bot.launch_y);
    paint(*w);
    EXPECT_EQ(w->mainbullet.time, 0.025);
}

}  // namespace
}  // namespace qm
