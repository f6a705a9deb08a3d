// The slope under a unit, measured by contact tests on 20 rings of 24
// directions around its contact point.
#include "bodies/bot.h"

#include "sim/world.h"

namespace qm {

namespace {

constexpr int direction_up = 18;    // ring direction pointing up (-y)
constexpr int direction_down = 6;   // ring direction pointing down (+y)
constexpr int degrees_per_direction = 15;

}  // namespace

int bot::get_slope()
{
    const int x0 = pos_x;
    const int y0 = pos_y;
    const int state0 = state;

    for (int& bin : slope_bins) bin = 0;
    for (int r = 0; r < ring_radii; ++r) {
        for (int j = 0; j < ring_directions; ++j) {
            pos_x = x0 + world->circle_samp[r][j].x;
            pos_y = y0 + world->circle_samp[r][j].y;
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
