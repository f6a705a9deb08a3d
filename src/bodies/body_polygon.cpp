// Corners of the unit's body polygon.
#include "bodies/body_polygon.h"

#include "raster/angles.h"
#include "raster/trig.h"

namespace qm {

namespace {

struct PolarCorner {
    double r;  // pixels from the contact point
    double a;  // degrees at slope 0, clockwise on the screen from +x
};

// At slope 0 the corners are (-25, -29), (25, -29), (25, 0), (-25, 0). The
// radii and angles are the body's defining figures, kept exactly as they are
// rather than recomputed from the box.
constexpr PolarCorner level_corners[body_corner_count] = {
    {39.051, 230.194},
    {39.051, 309.806},
    {25.0, 0.0},
    {25.0, 180.0},
};

}  // namespace

void body_polygon(double slope, int x, int y, POINT (&corners)[body_corner_count])
{
    for (int i = 0; i < body_corner_count; ++i) {
        const PolarCorner& c = level_corners[i];
        double a = radians(slope + c.a);
        corners[i].x = static_cast<int>(c.r * qm::cos(a)) + x;
        corners[i].y = static_cast<int>(c.r * qm::sin(a)) + y;
    }
}

}  // namespace qm
