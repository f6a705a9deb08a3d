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
    // Whether the view has come to rest on a subject at (x, y): every sample
    // of the delay ring centres it, the next quarter step is too short to
    // move the view, and no pan holds it.
    bool settled_on(int subject_x, int subject_y) const;

    int ring_x[4];      // the delay ring of view positions asked for, world pixels
    int ring_y[4];
    int ring_pos = 0;   // the ring's next slot, 0 to 3
    int prev_x = -550;  // last tick's view position, world pixels
    int prev_y = 100;
    int cam_x = 0;      // this tick's view position: the frame's top-left corner in the world
    int cam_y = 0;
    int pan_hold = 0;   // ticks the view still stays where a pan left it

    World* world;  // the world this camera looks at

private:
    void write_sample(int subject_x, int subject_y);
};

}  // namespace qm
