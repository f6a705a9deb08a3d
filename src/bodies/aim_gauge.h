// The aim gauge drawn around the player's muzzle.
#pragma once

namespace qm {

struct World;

// Centred on world point (x, y); (view_x, view_y) is the frame's top-left
// corner in the world; s is the facing, 1 or -1.
void draw_aim(World& world, int x, int y, int view_x, int view_y, int s);

}  // namespace qm
