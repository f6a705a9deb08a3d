// The progressive build of the terrain stripes from the map image: one pixel
// position of the four map stripes per step, one progress text per column.
#pragma once

namespace qm {

struct World;

// One step of the build. Returns 1 while work remains, 0 once the raster is
// complete (and on every later call, without touching anything).
int load_map(World& world);

// Runs load_map until it reports completion.
void build_terrain(World& world);

}  // namespace qm
