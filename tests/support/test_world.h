// A world ready for body tests: the ring table filled, the surfaces made as
// at start-up, and helpers to lay terrain into the stripes.
#pragma once

#include <algorithm>
#include <memory>

#include "sim/init_dcs.h"
#include "sim/world.h"

namespace qm::test {

inline constexpr COLORREF terrain = terrain_colour;
inline constexpr COLORREF empty = empty_colour;
inline constexpr COLORREF white = 0x00FFFFFF;
inline constexpr COLORREF black = 0x00000000;

inline std::unique_ptr<World> make_world()
{
    auto w = std::make_unique<World>();
    fill_circle_samp(*w);
    init_DCs(*w);
    return w;
}

// A unit placed at rest (no wind) and put at world point (x, y): for tests
// of its body, not of its fall.
inline void stand_at(World& w, bot& unit, int x, int y)
{
    unit.reset(&w.memoria, 0, 90, 0, 0);
    unit.pos_x = x;
    unit.pos_y = y;
}

// World pixel (x, y) of the terrain, -2400 <= x < 2400 and 500 <= y < 1300,
// found by the lookup the bodies use.
inline void set_ground(World& w, int x, int y, COLORREF colour)
{
    StripePixel p;
    if (stripe_pixel_at(x, y, p)) SetPixel(w.ground[p.stripe], p.x, p.y, colour);
}

inline COLORREF ground_at(const World& w, int x, int y)
{
    StripePixel p;
    return stripe_pixel_at(x, y, p) ? GetPixel(w.ground[p.stripe], p.x, p.y) : CLR_INVALID;
}

// Terrain wherever solid(x, y) holds, over x0 <= x < x1, y0 <= y < y1.
template <class Solid>
void lay_terrain(World& w, int x0, int y0, int x1, int y1, Solid solid)
{
    for (int y = std::max(y0, 500); y < std::min(y1, 1300); ++y) {
        for (int x = std::max(x0, -2400); x < std::min(x1, 2400); ++x) {
            if (solid(x, y)) set_ground(w, x, y, terrain);
        }
    }
}

// Level ground from row y down, across x0 <= x < x1.
inline void lay_level_ground(World& w, int x0, int x1, int y)
{
    lay_terrain(w, x0, y, x1, 1300, [](int, int) { return true; });
}

}  // namespace qm::test
