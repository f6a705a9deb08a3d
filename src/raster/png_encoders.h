// The PNG encoders: libpng's and a library-free one that stores the pixels
// uncompressed (for builds without libpng), behind write_png; and a
// library-free one that packs plain areas small, for charts, whose bytes
// must not depend on the build. Each writes a whole 8-bit RGB picture to an
// open file.
#pragma once

#include <cstdio>

#include "raster/surface.h"

namespace qm {

// False when the file cannot take the bytes.
bool encode_png_libpng(std::FILE* file, const Surface& s);
bool encode_png_stored(std::FILE* file, const Surface& s);
bool encode_png_compact(std::FILE* file, const Surface& s);

// One row of 0x00BBGGRR pixels as the bytes R, G, B.
void rgb_row(const COLORREF* pixels, int width, unsigned char* out);

}  // namespace qm
