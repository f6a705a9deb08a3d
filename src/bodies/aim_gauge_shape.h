// The aim gauge's figure for one aim angle and facing, as points relative to
// the gauge's centre: what draw_aim draws.
#pragma once

#include "raster/surface.h"

namespace qm {

// A wedge of the dial's circle from the radial through `start` counter-
// clockwise on the screen to the radial through `end`.
struct AimWedge {
    POINT start;
    POINT end;
    COLORREF colour;
};

struct AimGaugeShape {
    AimWedge fans[4];      // widest first, each lighter than the one before
    POINT marks[2][2];     // the two limit marks, inner point then outer
    AimWedge bands[2];     // yellow, then green
    POINT needle[3];       // base corners, then the tip
    COLORREF needle_colour;
};

constexpr int aim_dial_radius = 40;  // pixels
constexpr int aim_hub_radius = 20;   // pixels

// The figure for aim angle `vang` (degrees) and facing s (1 or -1).
AimGaugeShape aim_gauge_shape(double vang, int s);

}  // namespace qm
