// Where a drill's target can stand: columns of the field with ground under
// them, the bare ones found once when the drill begins.
#include "sim/drill/drill_ground.h"

#include "sim/world.h"
#include "terrain/terrain_raster.h"

namespace qm {

namespace {

// A target stands where its column has ground, this far inside the field:
// a unit nearer the edge starts its own respawn by measuring its slope.
constexpr int edge_margin = 40;
constexpr int lowest_ground = field_bottom - 1;  // a unit below this has left the world

bool has_ground(const World& world, int x)
{
    if (x < terrain_left + edge_margin || x >= terrain_right - edge_margin) return false;
    for (int y = terrain_top; y < lowest_ground; ++y) {
        if (is_terrain(world, x, y)) return true;
    }
    return false;
}

}  // namespace

// Whether a target may drop at x: a bare column is known to have no ground
// without looking down it.
bool can_stand(const World& world, int x)
{
    const int column = x - terrain_left;
    if (column < 0 || column >= terrain_right - terrain_left) return false;
    return !world.drill.bare_columns[static_cast<std::size_t>(column)] && has_ground(world, x);
}

// The column with ground nearest to x; x itself when the map has none.
int nearest_ground(const World& world, int x)
{
    for (int d = 1; d < terrain_right - terrain_left; ++d) {
        if (can_stand(world, x - d)) return x - d;
        if (can_stand(world, x + d)) return x + d;
    }
    return x;
}

void find_bare_columns(World& world)
{
    DrillRun& d = world.drill;
    for (int column = 0; column < terrain_right - terrain_left; ++column) {
        d.bare_columns[static_cast<std::size_t>(column)] = !has_ground(world, terrain_left + column);
    }
}

}  // namespace qm
