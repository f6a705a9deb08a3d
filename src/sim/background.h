// The first layer of every frame: sky, terrain, grid, wind dial and, on the
// flat map, the ground line.
#pragma once

namespace qm {

struct World;

// Draws into world.memoria with the view's top-left corner at world point
// (cam_x, cam_y). Reads the stripes, never changes them.
void draw_background(World& world, int cam_x, int cam_y);

// Its first layers alone: sky, terrain and grid, in one pass over the frame.
// Each pixel is what clearing the frame with its standing pen and brush,
// drawing the black backing rectangle under the stripes with the standing
// pen, OR-ing each stripe over it and drawing the grid lines would leave.
void draw_backdrop(World& world, int cam_x, int cam_y);

}  // namespace qm
