// The ring table: the offsets at which a unit samples the ground around its
// contact point to measure the slope, 20 radii by 24 directions.
#pragma once

namespace qm {

constexpr int ring_radii = 20;
constexpr int ring_directions = 24;  // 15 degrees apart

struct RingSample {
    int x = 0;  // horizontal offset, pixels
    int y = 0;  // vertical offset, pixels, positive downward
};

struct RingTable {
    RingSample circle_samp[ring_radii][ring_directions] = {};  // [radius][direction], direction 0 toward +x
};

// Fills the table (done once at start-up).
void fill_circle_samp(RingTable& rings);

}  // namespace qm
