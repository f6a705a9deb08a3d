// The unit's body: a box 50 pixels wide standing on the contact point, turned
// clockwise on the screen by the slope. The hit test and the drawing share it.
#pragma once

#include "raster/surface.h"

namespace qm {

constexpr int body_corner_count = 4;

// The four corners for a body turned by `slope` degrees, each offset added to
// (x, y): the contact point on whatever surface the body goes to.
void body_polygon(double slope, int x, int y, POINT (&corners)[body_corner_count]);

}  // namespace qm
