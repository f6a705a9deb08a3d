// Writer of map files: two-colour bitmaps in the form the map reader takes
// (62-byte header with a black-and-white palette, rows stored bottom-up).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "terrain/map_format.h"

namespace qm {


// A picture of palette indices, row 0 at the top.
struct MapPicture {
    MapPicture() = default;
    MapPicture(int picture_width, int picture_height, std::uint8_t fill = map_empty);

    std::uint8_t& at(int row, int column) { return pixels[static_cast<std::size_t>(row) * width + column]; }
    std::uint8_t at(int row, int column) const { return pixels[static_cast<std::size_t>(row) * width + column]; }

    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// The bytes of the file. Unused bits at the end of a row are 1 (empty),
// padding bytes 0.
std::vector<unsigned char> encode_bitmap(const MapPicture& picture);

// Writes bytes to a file; false when the file cannot be written.
bool write_file(const std::string& path, const std::vector<unsigned char>& bytes);

// Encodes and writes a picture; false when the file cannot be written.
bool write_bitmap(const std::string& path, const MapPicture& picture);

}  // namespace qm
