// The terrain raster: where the six stripes lie in the world and which pixel
// colours mean terrain and empty.
#pragma once

#include "raster/surface.h"

namespace qm {

struct World;

constexpr COLORREF terrain_colour = 0x00FF0000;  // a terrain pixel (pure blue)
constexpr COLORREF empty_colour = 0x00C0C0C0;    // never terrain, or carved away
constexpr int terrain_left = -2400;              // world x of stripe 0's column 0
constexpr int terrain_top = 500;                 // world y of every stripe's row 0
constexpr int first_map_stripe = 1;              // the map image lands in stripes 1 to 4
constexpr int last_map_stripe = 4;

// A pixel of one stripe.
struct StripePixel {
    int stripe = 0;
    int x = 0;
    int y = 0;
};

// The stripe pixel that holds world point (x, y); false when no stripe does.
bool stripe_pixel_at(int x, int y, StripePixel& out);

// Whether world point (x, y) is terrain: its stripe pixel reads back as
// terrain_colour. Points outside the stripes are not terrain.
bool is_terrain(const World& world, int x, int y);

}  // namespace qm
