// A BMP file of any size read as a grey picture, for making a map of it
// (mkmap, the page): the formats the map reader takes, stored bottom-up or
// top-down, each pixel's grey level by the colour rule of picture_grey.h.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qm {

// The picture in `bytes` as grey levels, row 0 at the top; false, with the
// reason, for a file that is not such a BMP, has no pixels, or has more
// than `max_pixels`. Rows the file lacks read as white.
bool read_bmp_picture(std::span<const unsigned char> bytes, unsigned long long max_pixels,
                      std::vector<std::uint8_t>& grey, int& width, int& height, std::string& reason);

}  // namespace qm
