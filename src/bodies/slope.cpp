// The slope under a unit, measured by contact tests on 20 rings of 24
// directions around its contact point, and the table of those rings.
#include "bodies/bot.h"

#include <cmath>

#include "raster/angles.h"

namespace qm {

namespace {

constexpr int direction_up = 18;    // ring direction pointing up (-y)
constexpr int direction_down = 6;   // ring direction pointing down (+y)
constexpr int degrees_per_direction = 15;

}  // namespace

void fill_circle_samp(RingTable& rings)
{
    // The angle is formed in extended precision and rounded to a double, and
    // the products are formed in extended precision again: that is what puts
    // the exact half values on the sides the table holds.
    for (int r = 0; r < ring_radii; ++r) {
        for (int k = 0; k < ring_directions; ++k) {
            long double angle_ext =
                static_cast<long double>(k * degrees_per_direction) * static_cast<long double>(pi) / 180.0L;
            double angle = static_cast<double>(angle_ext);
            long double c = std::cos(static_cast<long double>(angle));
            long double s = std::sin(static_cast<long double>(angle));
            rings.circle_samp[r][k].x = static_cast<int>(c * r);
            rings.circle_samp[r][k].y = static_cast<int>(s * r);
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
