// Round start: the one sequence both the dialog and the headless runner use.
#include "sim/round_start.h"

#include "sim/init_dcs.h"
#include "terrain/bitmap_reader.h"
#include "terrain/load_map.h"

namespace qm {

void start_round(World& world, const RoundSettings& settings)
{
    if (settings.map == nullptr) world.flat_map = 1;
    init_DCs(world);
    world.random_wind = settings.random_wind;
    if (settings.random_wind != 0) {
        world.wind_change_turn = settings.wind_change_turn;
    } else {
        world.wind = settings.wind;
        world.wang = settings.wang;
    }
    if (settings.map != nullptr) {
        world.loading = 1;
        open_bitmap(world, settings.map, BitmapMode::load);
    }
}

bool build_terrain_step(World& world)
{
    return load_map(world, world);
}

}  // namespace qm
