// The map's size limits, the layout of the terrain stripes in the world and
// the ground constants: the figures every part of the terrain agrees on.
#pragma once

#include <cstdint>

#include "raster/surface.h"

namespace qm {

// Map files and the catalogue.
constexpr int max_maps = 32;            // catalogue entries
constexpr int map_name_size = 256;      // a name and its terminating zero
constexpr int map_rows = 800;           // every map is this many pixels high
constexpr int map_max_columns = 3200;   // and at most this many wide
constexpr std::uint8_t map_terrain = 0;  // palette index of a terrain pixel (black)
constexpr std::uint8_t map_empty = 1;    // palette index of an empty pixel (white)

// The terrain raster: six stripes of 800 by 800 pixels side by side.
constexpr int stripe_count = 6;
constexpr int stripe_size = 800;
constexpr int terrain_left = -2400;                                // world x of stripe 0's column 0
constexpr int terrain_top = 500;                                   // world y of every stripe's row 0
constexpr int terrain_right = terrain_left + stripe_count * stripe_size;  // first world x past the stripes
constexpr int terrain_bottom = terrain_top + stripe_size;          // first world y below the stripes
constexpr int first_map_stripe = 1;  // the map image lands in stripes 1 to 4
constexpr int last_map_stripe = 4;

constexpr COLORREF terrain_colour = 0x00FF0000;  // a terrain pixel (pure blue)
constexpr COLORREF empty_colour = 0x00C0C0C0;    // never terrain, or carved away

// On the flat map there is no terrain: the ground is the line y = 500, at
// the height of the stripes' top row.
constexpr int flat_ground_y = terrain_top;

}  // namespace qm
