// A scripted round of the whole tick, shared by the frame test and the
// allocation test: the first sample map built into the terrain, and inputs
// that depend only on the tick and the world.
#pragma once

#include "sim/paint.h"
#include "sim/world.h"
#include "test_world.h"

namespace qm::test {

// A round with every kind of tick on the first sample map without wind: the
// power lowered, shots at the target until it dies, its respawn and fall, a
// right-button pan during a flight, then a turn and shots the other way. The
// inputs depend only on the tick and the world, so every run is the same.
class Round {
public:
    static constexpr int ticks = 1200;

    explicit Round(World& w) : w_(w)
    {
        build_sample_map(w_);
        w_.random_wind = 0;
    }

    // Sets the inputs of the given tick (1 to ticks) and runs it.
    void play(int tick)
    {
        w_.pow_down = tick >= 60 && tick < 210 ? 1 : 0;  // 2.5 down to 1.0, which reaches the target
        if (tick == turn_tick) w_.direction = -1;
        w_.angle_up = tick >= turn_tick && tick < turn_tick + 20 ? 1 : 0;
        const bool firing = tick >= 210 && (tick < turn_tick || tick >= turn_tick + 20);
        if (firing && w_.mainbullet.state == state_at_rest && w_.fire_now == 0) w_.fire_now = 1;
        if (tick == pan_start) {
            w_.rbutton = 1;
            w_.mouse_cam_x = w_.cam1.cam_x;
            w_.mouse_cam_y = w_.cam1.cam_y;
        }
        if (tick > pan_start && tick <= pan_end) {
            w_.mouse_cam_x += 12;
            w_.mouse_cam_y -= 4;
        }
        if (tick == pan_end + 1) w_.rbutton = 0;

        const int target_hp = w_.target1.hp;
        const int bullet_state = w_.mainbullet.state;
        paint(w_);
        if (bullet_state == 0 && w_.mainbullet.state != 0) ++impacts;
        if (target_hp > 0 && w_.target1.hp == 0) ++deaths;
        if (deaths > respawns && w_.target1.hp == full_hp) ++respawns;
    }

    int impacts = 0;
    int deaths = 0;
    int respawns = 0;

private:
    static constexpr int turn_tick = 1000;
    static constexpr int pan_start = 250;
    static constexpr int pan_end = 290;
    World& w_;
};

}  // namespace qm::test
