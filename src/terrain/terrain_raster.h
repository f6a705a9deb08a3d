// The terrain raster: the six stripes the map is built into and craters carve,
// where they lie in the world, and the terrain test on a world point.
#pragma once

#include <array>

#include "raster/surface.h"
#include "terrain/map_format.h"

namespace qm {

// The stripes and the state of their progressive build from the map image.
struct TerrainStripes {
    std::array<Surface, stripe_count> ground;  // stripe i covers world x from terrain_left + 800 i
    int lm_c = 0;  // build position: stripe column, 0 to 800 (800 when built)
    int lm_d = 0;  // build position: stripe row within the column, 0 to 800
    char prog_static[64] = {};  // the build's progress text, shown as the dialog's status line
};

// A pixel of one stripe.
struct StripePixel {
    int stripe = 0;
    int x = 0;
    int y = 0;
};

// The stripe pixel that holds world point (x, y); false when no stripe does.
inline bool stripe_pixel_at(int x, int y, StripePixel& out)
{
    const int sx = x - terrain_left;
    const int sy = y - terrain_top;
    if (sx < 0 || sx >= stripe_count * stripe_size || sy < 0 || sy >= stripe_size) return false;
    out.stripe = sx / stripe_size;
    out.x = sx % stripe_size;
    out.y = sy;
    return true;
}

// Whether world point (x, y) is terrain: its stripe pixel reads back as
// terrain_colour. Points outside the stripes are not terrain. Inline: the
// contact tests ask it hundreds of times a tick.
inline bool is_terrain(const TerrainStripes& terrain, int x, int y)
{
    StripePixel p;
    if (!stripe_pixel_at(x, y, p)) return false;
    return GetPixel(terrain.ground[p.stripe], p.x, p.y) == terrain_colour;
}

}  // namespace qm
