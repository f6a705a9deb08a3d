// The view controller: follows the player, the shot, then the target, through
// a four-sample delay ring and quarter-step smoothing, and takes mouse pans.
#pragma once

namespace qm {

struct World;

class camera {
public:
    explicit camera(World* owner);

    void update();
    void query_focus();

    int ring_x[4];
    int ring_y[4];
    int ring_pos = 0;
    int prev_x = -550;
    int prev_y = 100;
    int cam_x = 0;
    int cam_y = 0;
    int pan_hold = 0;

    World* world;

private:
    void write_sample(int subject_x, int subject_y);
};

}  // namespace qm
