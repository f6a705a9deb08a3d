// Saving a surface as a PNG picture (8-bit RGB), for tools and tests.
#pragma once

#include <string>

#include "raster/surface.h"

namespace qm {

// Writes s to path through a temporary file renamed into place; false, with
// nothing left behind and the reason in reason, when the file cannot be
// written or the surface is empty.
bool write_png(const Surface& s, const char* path, std::string& reason);
bool write_png(const Surface& s, const char* path);

}  // namespace qm
