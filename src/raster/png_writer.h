// Saving a surface as a PNG picture (8-bit RGB), for tools and tests.
#pragma once

#include "raster/surface.h"

namespace qm {

// Writes s to path; false, with nothing left half-written open, when the
// file cannot be written or the surface is empty.
bool write_png(const Surface& s, const char* path);

}  // namespace qm
