// The camera: quarter-step smoothing, the four-sample delay, the focus cycle
// and the mouse pan.
#include "sim/camera.h"

#include <gtest/gtest.h>

#include <memory>

#include "sim/world.h"

namespace qm {
namespace {

class Camera : public ::testing::Test {
protected:
    std::unique_ptr<World> w = std::make_unique<World>();
    camera& cam = w->cam1;

    // Every sample the camera writes while following the player is (x, y),
    // so the ring holds that view position once it is filled.
    void keep_player_at_view(int x, int y)
    {
        w->player_bot.pos_x = x + 400;
        w->player_bot.pos_y = y + 300;
    }
    void fill_ring(int x, int y)
    {
        for (int i = 0; i < 4; ++i) {
            cam.ring_x[i] = x;
            cam.ring_y[i] = y;
        }
    }
};

TEST_F(Camera, FirstTickReadsTheStartingRing)
{
    EXPECT_EQ(cam.cam_x, 0);
    EXPECT_EQ(cam.cam_y, 0);
    cam.update();
    EXPECT_EQ(cam.cam_x, -550);
    EXPECT_EQ(cam.cam_y, 100);
}

TEST_F(Camera, GlidesAQuarterOfTheGapAndStopsWithinThreePixels)
{
    fill_ring(1000, 200);
    keep_player_at_view(1000, 200);
    cam.prev_x = 0;
    cam.prev_y = 0;
    const int expected[][2] = {{250, 50}, {437, 87}, {577, 115}, {682, 136}};
    for (const auto& e : expected) {
        cam.update();
        EXPECT_EQ(cam.cam_x, e[0]);
        EXPECT_EQ(cam.cam_y, e[1]);
    }
    for (int i = 0; i < 40; ++i) cam.update();
    EXPECT_EQ(cam.cam_x, 997);
    EXPECT_EQ(cam.cam_y, 197);
}

TEST_F(Camera, GapsBelowFourTruncateTowardZero)
{
    // A gap of -3 or +3 gives a quarter of 0, so the camera stays put on
    // either side of its goal.
    const struct {
        int prev;
        int goal;
        int after;
    } cases[] = {{103, 100, 103}, {97, 100, 97}, {104, 100, 103}, {96, 100, 97}, {-7, -10, -7}};
    for (const auto& c : cases) {
        fill_ring(c.goal, c.goal);
        keep_player_at_view(c.goal, c.goal);
        cam.prev_x = c.prev;
        cam.prev_y = c.prev;
        cam.update();
        EXPECT_EQ(cam.cam_x, c.after) << c.prev << " toward " << c.goal;
        EXPECT_EQ(cam.cam_y, c.after) << c.prev << " toward " << c.goal;
    }
}

TEST_F(Camera, ASampleIsReadFourTicksAfterItWasWritten)
{
    cam.prev_x = 0;
    cam.prev_y = 0;
    fill_ring(0, 0);
    // Tick t samples the view position (100 t, 0); the update of tick t + 4
    // aims at it.
    for (int t = 1; t <= 8; ++t) {
        int goal = t > 4 ? 100 * (t - 4) : 0;
        int before = cam.prev_x;
        keep_player_at_view(100 * t, 0);
        cam.update();
        EXPECT_EQ(cam.cam_x, before + (goal - before) / 4) << "tick " << t;
    }
}

TEST_F(Camera, PanHoldsThirtyNineTicksAfterRelease)
{
    keep_player_at_view(-400, -300);
    w->mouse_cam_x = 5000;
    w->mouse_cam_y = 700;
    w->rbutton = 1;
    cam.update();
    EXPECT_EQ(cam.pan_hold, 39);
    EXPECT_EQ(cam.ring_x[cam.ring_pos], 5000);
    w->rbutton = 0;
    for (int tick = 1; tick <= 39; ++tick) {
        cam.update();
        EXPECT_EQ(cam.ring_x[cam.ring_pos], 5000) << "tick " << tick;
        EXPECT_EQ(cam.ring_y[cam.ring_pos], 700) << "tick " << tick;
    }
    EXPECT_EQ(cam.pan_hold, 0);
    cam.update();
    EXPECT_EQ(cam.ring_x[cam.ring_pos], -400);
    EXPECT_EQ(cam.ring_y[cam.ring_pos], -300);
}

TEST_F(Camera, PanActsAtTheNextTickWithoutTheDelay)
{
    cam.prev_x = 0;
    cam.prev_y = 0;
    fill_ring(0, 0);
    keep_player_at_view(0, 0);
    w->mouse_cam_x = 400;
    w->mouse_cam_y = -400;
    w->rbutton = 1;
    cam.update();
    EXPECT_EQ(cam.cam_x, 0);
    cam.update();
    EXPECT_EQ(cam.cam_x, 100);
    EXPECT_EQ(cam.cam_y, -100);
}

TEST_F(Camera, FocusFollowsShotThenTargetThenPlayer)
{
    w->target1.pos_x = 900;
    w->target1.pos_y = 700;
    w->mainbullet.pos_x = 300;
    w->mainbullet.pos_y = 100;
    w->mainbullet.state = 5;  // in flight
    w->target1.focus_ticks = 12;
    w->player_bot.just_fired = 1;

    cam.update();  // the player reports the shot
    EXPECT_EQ(w->focus, 1);
    EXPECT_EQ(w->player_bot.just_fired, 0);
    int pos = cam.ring_pos;
    cam.update();  // following the shot
    EXPECT_EQ(w->focus, 1);
    EXPECT_EQ(cam.ring_x[pos], 300 - 400);
    EXPECT_EQ(cam.ring_y[pos], 100 - 300);

    w->mainbullet.state = state_at_rest;
    cam.update();
    EXPECT_EQ(w->focus, 2);
    pos = cam.ring_pos;
    cam.update();  // following the settling target
    EXPECT_EQ(w->focus, 2);
    EXPECT_EQ(cam.ring_x[pos], 900 - 400);
    EXPECT_EQ(cam.ring_y[pos], 700 - 300);

    w->target1.focus_ticks = 0;
    cam.update();
    EXPECT_EQ(w->focus, 0);
}

TEST_F(Camera, NoPanInTheTickTheTargetFinishesSettling)
{
    w->focus = 2;
    w->target1.focus_ticks = 0;
    w->rbutton = 1;
    w->mouse_cam_x = 5000;
    int pos = cam.ring_pos;
    cam.update();
    EXPECT_EQ(w->focus, 0);
    EXPECT_EQ(cam.pan_hold, 0);
    EXPECT_EQ(cam.ring_pos, pos);
    EXPECT_EQ(cam.ring_x[pos], -550);
    // The next tick pans again.
    cam.update();
    EXPECT_EQ(cam.pan_hold, 39);
}

}  // namespace
}  // namespace qm
