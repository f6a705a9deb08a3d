// The reader of map files: two-colour bitmaps, 1 bit a pixel, 800 high and
// at most 3200 wide, stored as raw palette indices in the map image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "terrain/map_format.h"

namespace qm {

// The picture of the loaded map, one palette index a pixel (0 terrain,
// 1 empty), row 0 at the top.
struct MapImage {
    MapImage() : imagen(static_cast<std::size_t>(map_rows) * map_max_columns, 0) {}

    std::vector<std::uint8_t> imagen;  // map_rows by map_max_columns pixels
    int imagen_x = 0;  // columns loaded, in pixels: the file's width rounded up to whole bytes
    int imagen_y = 0;  // rows loaded: map_rows once a map is loaded

    std::uint8_t& image_at(int row, int column)
    {
        return imagen[static_cast<std::size_t>(row) * map_max_columns + column];
    }
    std::uint8_t image_at(int row, int column) const
    {
        return imagen[static_cast<std::size_t>(row) * map_max_columns + column];
    }
};

enum class BitmapMode {
    load,        // test the header, then read the pixels into the map image
    check_only,  // test the header only
};

// Whether `filename` is a map file the reader accepts (its header alone).
bool is_map_file(const char* filename);

// Opens `filename` and reads it as read_bitmap does. False also for a file
// that cannot be opened or is not a regular file.
bool open_bitmap(MapImage& image, const char* filename, BitmapMode mode);

// Tests the header of the file contents `bytes`; in load mode an accepted
// file's pixels go to image.imagen with imagen_x and imagen_y. True for an
// accepted file; a rejected one leaves the image untouched.
bool read_bitmap(MapImage& image, std::span<const unsigned char> bytes, BitmapMode mode);

}  // namespace qm
