// The camera: a four-sample delay ring, quarter-step smoothing toward the
// oldest sample, and the focus cycle player -> shot -> target -> player.
#include "sim/camera.h"

#include "sim/world.h"

namespace qm {

namespace {

constexpr int start_view_x = -550;
constexpr int start_view_y = 100;
// A subject at (x, y) is centred by the view position (x - 400, y - 300).
constexpr int half_frame_x = 400;
constexpr int half_frame_y = 300;
constexpr int pan_hold_ticks = 40;

}  // namespace

camera::camera(World* owner) : world(owner)
{
    for (int i = 0; i < 4; ++i) {
        ring_x[i] = start_view_x;
        ring_y[i] = start_view_y;
    }
}

void camera::update()
{
    // Integer division truncates toward zero, as the smoothing requires.
    int dx = ring_x[ring_pos] - prev_x;
    cam_x = prev_x + dx / 4;
    int dy = ring_y[ring_pos] - prev_y;
    cam_y = prev_y + dy / 4;
    prev_x = cam_x;
    prev_y = cam_y;
    query_focus();
}

bool camera::settled_on(int subject_x, int subject_y) const
{
    const int x = subject_x - half_frame_x;
    const int y = subject_y - half_frame_y;
    for (int i = 0; i < 4; ++i) {
        if (ring_x[i] != x || ring_y[i] != y) return false;
    }
    return (ring_x[0] - prev_x) / 4 == 0 && (ring_y[0] - prev_y) / 4 == 0 && pan_hold <= 0 && world->rbutton == 0;
}

void camera::write_sample(int subject_x, int subject_y)
{
    ring_x[ring_pos] = subject_x - half_frame_x;
    ring_y[ring_pos] = subject_y - half_frame_y;
    ring_pos = (ring_pos + 1) % 4;
}

void camera::query_focus()
{
    World& w = *world;
    if (w.focus == 2) {
        if (w.target1.focus() != 1) {
            w.focus = 0;
            return;
        }
        write_sample(w.target1.pos_x, w.target1.pos_y);
    }
    if (w.focus == 1) {
        if (w.mainbullet.focus() == 1) {
            write_sample(w.mainbullet.pos_x, w.mainbullet.pos_y);
        } else {
            w.focus = 2;
        }
    }
    if (w.focus == 0) {
        if (w.player_bot.focus() == 1) {
            write_sample(w.player_bot.pos_x, w.player_bot.pos_y);
        } else {
            w.focus = 1;
        }
    }
    if (w.rbutton != 0) pan_hold = pan_hold_ticks;
    if (w.rbutton != 0 || pan_hold != 0) {
        ring_x[ring_pos] = w.mouse_cam_x;
        ring_y[ring_pos] = w.mouse_cam_y;
        pan_hold -= 1;
    }
}

}  // namespace qm
