// Terrain build: map image pixel value 0 becomes a terrain pixel of stripes 1
// to 4, the image centred on world x 0 with its top row at world y 500.
#include "terrain/load_map.h"

#include <cassert>
#include <cstdio>


namespace qm {

namespace {

constexpr int build_done = stripe_size;  // lm_c and lm_d run from 0 to 800
constexpr int columns_per_percent = 8;   // 800 columns shown as 0 to 99 per cent

}  // namespace

bool load_map(const MapImage& image, TerrainStripes& terrain)
{
    if (terrain.lm_c == build_done) return false;
    if (terrain.lm_d == build_done) {
        std::snprintf(terrain.prog_static, sizeof terrain.prog_static, "Loading map: %d%%",
                      terrain.lm_c / columns_per_percent);
        terrain.lm_d = 0;
        ++terrain.lm_c;
        return true;
    }

    const int x = terrain.lm_c;
    const int y = terrain.lm_d;
    assert(image.imagen_x >= 0 && image.imagen_x <= map_max_columns);
    // Image column of stripe pixel x in stripe 3 (the one starting at world x 0).
    const int centre_column = image.imagen_x / 2 + x;
    for (int k = first_map_stripe; k <= last_map_stripe; ++k) {
        const int c = centre_column + stripe_size * (k - 3);
        if (c < 0 || c >= image.imagen_x || image.image_at(y, c) != map_terrain) continue;
        Surface& stripe = terrain.ground[k];
        // SetPixel without the call: the step stays a few instructions long.
        if (x < stripe.width() && y < stripe.height()) stripe.row(y)[x] = terrain_colour;
    }
    ++terrain.lm_d;
    return true;
}

void build_terrain(const MapImage& image, TerrainStripes& terrain)
{
    while (load_map(image, terrain)) {
    }
}

}  // namespace qm
