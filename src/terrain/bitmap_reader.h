// The reader of map files: two-colour bitmaps, 1 bit a pixel, 800 high and
// at most 3200 wide, stored as raw palette indices in the world's map image.
#pragma once

#include <string>

namespace qm {

struct World;

constexpr int bitmap_load = 0;        // read the pixels into imagen
constexpr int bitmap_check_only = 1;  // test the header only (any non-zero mode)

// Opens `filename` and tests its header. In load mode an accepted file's
// pixels go to world.imagen (row 0 at the top, one byte 0 or 1 a pixel) with
// imagen_x and imagen_y. Returns 1 for an accepted file, 0 otherwise; a
// rejected file leaves the world untouched.
int open_bitmap(World& world, const char* filename, int mode);
// The same, with the reason a file is turned away: the system's word when it
// cannot be opened, else the rule it breaks ("not a BMP file", "24 bits per
// pixel; maps have 1", "600 pixels high; maps are 800", ...).
int open_bitmap(World& world, const char* filename, int mode, std::string& reason);

// Whether a file is a usable map, with the reason when it is not.
bool check_map_file(const char* filename, std::string& reason);

}  // namespace qm
