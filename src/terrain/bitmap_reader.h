// The reader of map files: BMP files 800 high and at most 3200 wide, stored
// bottom-up, read into the map image as terrain or empty. A 1-bit file by
// palette index (0 terrain, 1 empty; the colours are not looked at), a 24-
// or 32-bit one by colour: terrain where it is dark (picture_grey.h), as a
// picture made into a map is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
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

// Whether `filename` is a map file the reader accepts (its header, and its
// rows until one holds ground).
bool is_map_file(const char* filename);
// The same, with the reason a file is turned away: the system's word when it
// cannot be opened ("No such file or directory", "Is a directory"), "not a
// plain file" for a device or a pipe, else the rule it breaks ("not a BMP
// file", "8 bits per pixel; maps have 1, 24 or 32", "compressed (method 1);
// maps are stored uncompressed", "600 pixels high; maps are 800",
// "3208 pixels wide; at most 3200", "no width; ...", "stored top-down; ...",
// "no ground: every pixel is empty").
bool check_map_file(const char* filename, std::string& reason);

// Opens `filename` and reads it as read_bitmap does. False also for a file
// that cannot be opened or is not a plain file; the second form says why.
bool open_bitmap(MapImage& image, const char* filename, BitmapMode mode);
bool open_bitmap(MapImage& image, const char* filename, BitmapMode mode, std::string& reason);

// Tests the header and the ground of the file contents `bytes`; in load
// mode an accepted file's pixels go to image.imagen with imagen_x and
// imagen_y. True for an accepted file; a rejected one leaves the image
// untouched.
bool read_bitmap(MapImage& image, std::span<const unsigned char> bytes, BitmapMode mode);

}  // namespace qm
