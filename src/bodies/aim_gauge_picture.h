// The aim gauge kept as a picture: drawn once for an aim angle and facing,
// then copied onto the frame each tick until either changes.
#pragma once

#include "raster/surface.h"

namespace qm {

class AimGaugePicture {
public:
    AimGaugePicture();

    // What draw_aim with the same arguments does to the frame: the same
    // pixels, the same current position. Marks, per row, the span from the
    // gauge's leftmost to its rightmost pixel.
    void draw(Surface& frame, double vang, int x, int y, int view_x, int view_y, int s);

private:
    // The gauge drawn afresh around the picture's centre.
    void redraw(double vang, int s);

    Surface picture_;  // pixels the gauge leaves alone hold `undrawn`
    double vang_ = 0;
    int s_ = 0;  // 0: nothing drawn yet
};

}  // namespace qm
