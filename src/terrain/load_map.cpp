// Terrain build: map image pixel value 0 becomes a terrain pixel of stripes 1
// to 4, the image centred on world x 0 with its top row at world y 500.
#include "terrain/load_map.h"

#include <cassert>
#include <cstdio>

#include "sim/world.h"
#include "terrain/terrain_raster.h"

namespace qm {

namespace {

constexpr int build_done = stripe_size;  // lm_c and lm_d run from 0 to 800
constexpr int columns_per_percent = 8;   // 800 columns shown as 0 to 99 per cent

}  // namespace

int load_map(World& world)
{
    if (world.lm_c == build_done) return 0;
    if (world.lm_d == build_done) {
        std::snprintf(world.prog_static, sizeof world.prog_static, "Loading map: %d%%",
                      world.lm_c / columns_per_percent);
        world.lm_d = 0;
        ++world.lm_c;
        return 1;
    }

    const int x = world.lm_c;
    const int y = world.lm_d;
    assert(world.imagen_x >= 0 && world.imagen_x <= map_max_columns);
    // Image column of stripe pixel x in stripe 3 (the one starting at world x 0).
    const int centre_column = world.imagen_x / 2 + x;
    for (int k = first_map_stripe; k <= last_map_stripe; ++k) {
        const int c = centre_column + stripe_size * (k - 3);
        if (c < 0 || c >= world.imagen_x || world.image_at(y, c) != 0) continue;
        Surface& stripe = world.ground[k];
        // SetPixel without the call: the step stays a few instructions long.
        if (x < stripe.width() && y < stripe.height()) stripe.row(y)[x] = terrain_colour;
    }
    ++world.lm_d;
    return 1;
}

void build_terrain(World& world)
{
    while (load_map(world) != 0) {
    }
}

}  // namespace qm
