// The progressive build of the terrain stripes from the map image: one pixel
// position of the four map stripes per step, one progress text per column.
#pragma once

#include "terrain/bitmap_reader.h"
#include "terrain/terrain_raster.h"

namespace qm {

// One step of the build. True while work remains, false once the raster is
// complete (and on every later call, without touching anything).
bool load_map(const MapImage& image, TerrainStripes& terrain);

// Runs load_map until it reports completion.
void build_terrain(const MapImage& image, TerrainStripes& terrain);

}  // namespace qm
