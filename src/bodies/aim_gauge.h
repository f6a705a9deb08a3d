// The aim gauge drawn around the player's muzzle.
#pragma once

#include "raster/surface.h"

namespace qm {

// Draws the gauge for aim angle vang (degrees) on the frame, centred on world
// point (x, y); (view_x, view_y) is the frame's top-left corner in the world;
// s is the facing, 1 or -1.
void draw_aim(Surface& frame, double vang, int x, int y, int view_x, int view_y, int s);

}  // namespace qm
