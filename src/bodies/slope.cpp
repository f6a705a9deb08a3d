// The slope under a unit, measured by contact tests on 20 rings of 24
// directions around its contact point, and the table of those rings.
#include "bodies/bot.h"

#include "raster/trig.h"

namespace qm {

namespace {

constexpr int direction_up = 18;    // ring direction pointing up (-y)
constexpr int direction_down = 6;   // ring direction pointing down (+y)
constexpr int degrees_per_direction = 15;

// The directions' angles, k times 15 degrees in radians, as the table was
// first made: formed in extended precision and rounded to doubles, which
// puts the exact half values on the sides the table holds. Written out, as
// extended precision is not the same on every platform.
constexpr double ring_angles[ring_directions] = {
    0x0p+0,                0x1.0c152382d7365p-2, 0x1.0c152382d7365p-1, 0x1.921fb54442d18p-1,
    0x1.0c152382d7365p+0,  0x1.4f1a6c638d03fp+0, 0x1.921fb54442d18p+0, 0x1.d524fe24f89f1p+0,
    0x1.0c152382d7365p+1,  0x1.2d97c7f3321d2p+1, 0x1.4f1a6c638d03fp+1, 0x1.709d10d3e7eabp+1,
    0x1.921fb54442d18p+1,  0x1.b3a259b49db85p+1, 0x1.d524fe24f89f1p+1, 0x1.f6a7a2955385ep+1,
    0x1.0c152382d7365p+2,  0x1.1cd675bb04a9cp+2, 0x1.2d97c7f3321d2p+2, 0x1.3e591a2b5f908p+2,
    0x1.4f1a6c638d03fp+2,  0x1.5fdbbe9bba775p+2, 0x1.709d10d3e7eabp+2, 0x1.815e630c155e2p+2,
};

}  // namespace

void fill_circle_samp(RingTable& rings)
{
    for (int r = 0; r < ring_radii; ++r) {
        for (int k = 0; k < ring_directions; ++k) {
            const double angle = ring_angles[k];
            rings.circle_samp[r][k].x = static_cast<int>(qm::cos(angle) * r);
            rings.circle_samp[r][k].y = static_cast<int>(qm::sin(angle) * r);
        }
    }
}

int bot::get_slope()
{
    const int x0 = pos_x;
    const int y0 = pos_y;
    const int state0 = state;

    for (int& bin : slope_bins) bin = 0;
    for (int r = 0; r < ring_radii; ++r) {
        for (int j = 0; j < ring_directions; ++j) {
            pos_x = x0 + field->rings->circle_samp[r][j].x;
            pos_y = y0 + field->rings->circle_samp[r][j].y;
            state = state0;
            if (hit() != 0) ++slope_bins[j];
        }
    }
    pos_x = x0;
    pos_y = y0;
    state = state0;

    int total = 0;
    for (int bin : slope_bins) total += bin;
    const int half = total / 2;

    // Walk round from straight up until half the solid samples are passed;
    // the direction reached, turned back by a quarter, is the ground's angle.
    // The walk ends within one turn, since the full sum is at least half.
    int running = 0;
    for (int d = direction_up;; d = (d + 1) % ring_directions) {
        running += slope_bins[d];
        if (running >= half) {
            return ((d - direction_down + ring_directions) % ring_directions) * degrees_per_direction;
        }
    }
}

}  // namespace qm
