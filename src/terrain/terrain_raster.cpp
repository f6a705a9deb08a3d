// World placement of the terrain stripes and the terrain test.
#include "terrain/terrain_raster.h"

#include "sim/world.h"

namespace qm {

bool stripe_pixel_at(int x, int y, StripePixel& out)
{
    int sx = x - terrain_left;
    int sy = y - terrain_top;
    if (sx < 0 || sx >= stripe_count * stripe_size || sy < 0 || sy >= stripe_size) return false;
    out.stripe = sx / stripe_size;
    out.x = sx % stripe_size;
    out.y = sy;
    return true;
}

bool is_terrain(const World& world, int x, int y)
{
    StripePixel p;
    if (!stripe_pixel_at(x, y, p)) return false;
    return GetPixel(world.ground[p.stripe], p.x, p.y) == terrain_colour;
}

}  // namespace qm
