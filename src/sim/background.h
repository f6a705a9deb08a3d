// The first layer of every frame: sky, terrain, grid, wind dial and, on the
// flat map, the ground line.
#pragma once

#include "raster/surface.h"
#include "terrain/colour_runs.h"

namespace qm {

struct World;

// The view and frame colours the frame's backdrop was last drawn with.
struct BackdropView {
    bool drawn = false;  // false: the next backdrop covers the whole frame
    int cam_x = 0;
    int cam_y = 0;
    COLORREF edge = 0;  // the frame's standing pen and brush colours
    COLORREF sky = 0;
    ColourRuns runs;  // the stripes' rows, for moving the view by what changes
};

// Draws into world.memoria with the view's top-left corner at world point
// (cam_x, cam_y). Reads the stripes, never changes them.
void draw_background(World& world, int cam_x, int cam_y);

// Its first layers alone: sky, terrain and grid. Each pixel is what clearing
// the frame with its standing pen and brush, drawing the black backing
// rectangle under the stripes with the standing pen, OR-ing each stripe over
// it and drawing the grid lines would leave. When the frame already shows
// the backdrop of this view (world.backdrop), only the pixels drawing calls
// changed since, in the frame or in the stripes, are drawn again; when it
// shows that of another view, only the pixels where the two views differ and
// those. Clears the frame's and the stripes' records of changed pixels.
void draw_backdrop(World& world, int cam_x, int cam_y);

// The next backdrop is drawn whole: for a frame or stripes written directly
// rather than through drawing calls.
void forget_backdrop(World& world);

}  // namespace qm
