// Loading a drill's map: the image from its source, then the terrain build
// the dialog's Start runs, all at once.
#include "sim/drill/drill_map.h"

#include <algorithm>
#include <string_view>

#include "sim/background.h"
#include "sim/world.h"
#include "terrain/load_map.h"
#include "terrain/map_maker.h"

namespace qm {

namespace {

constexpr std::string_view map_suffix = ".bmp";
constexpr int stripe_pen_width = 2;

bool load_sample(World& world, const char* name)
{
    for (const SampleMap& sample : sample_maps()) {
        if (sample.name != std::string(name) + std::string(map_suffix)) continue;
        const MapPicture& picture = sample.picture;
        std::fill(world.imagen.begin(), world.imagen.end(), map_empty);
        for (int row = 0; row < picture.height; ++row)
            for (int column = 0; column < picture.width; ++column)
                world.image_at(row, column) = picture.at(row, column);
        world.imagen_x = picture.width;
        world.imagen_y = picture.height;
        return true;
    }
    return false;
}

void load_level(World& world)
{
    std::fill(world.imagen.begin(), world.imagen.end(), map_terrain);
    world.imagen_x = map_max_columns;
    world.imagen_y = map_rows;
}

// The stripes emptied and built again from the image, the view drawn anew
// and both units dropped afresh.
void rebuild_terrain(World& world)
{
    for (Surface& stripe : world.ground) {
        Rectangle(stripe, Pen{stripe_pen_width, empty_colour}, Brush{empty_colour}, 0, 0, stripe_size, stripe_size);
    }
    world.lm_c = 0;
    world.lm_d = 0;
    if (world.flat_map == 0) build_terrain(world, world);
    world.loading = 0;
    forget_backdrop(world);
    world.player_bot.state = state_at_rest;
    world.target1.state = state_at_rest;
}

}  // namespace

void keep_free_map(World& world)
{
    FreeMap& kept = world.drill.free_map;
    kept.image = world.imagen;
    kept.columns = world.imagen_x;
    kept.rows = world.imagen_y;
    kept.flat_map = world.flat_map;
    kept.kept = true;
}

void restore_free_map(World& world)
{
    FreeMap& kept = world.drill.free_map;
    if (!kept.kept) return;
    world.imagen.swap(kept.image);
    world.imagen_x = kept.columns;
    world.imagen_y = kept.rows;
    world.flat_map = kept.flat_map;
    kept = FreeMap{};
    rebuild_terrain(world);
}

bool is_sample_map(const char* name)
{
    for (const char* sample : {"hills", "islands", "cave", "tower"}) {
        if (std::string_view(name) == sample) return true;
    }
    return false;
}

bool load_drill_map(World& world, const DrillRules& rules, std::string& reason)
{
    if (!world.drill.active) keep_free_map(world);
    switch (rules.map_kind) {
    case DrillMap::level: load_level(world); break;
    case DrillMap::sample:
        if (!load_sample(world, rules.map)) {
            reason = std::string("no sample map named ") + rules.map;
            return false;
        }
        break;
    case DrillMap::file:
        if (!open_bitmap(world, rules.map, BitmapMode::load, reason)) {
            reason = std::string(rules.map) + ": " + reason;
            return false;
        }
        break;
    }
    world.flat_map = 0;
    rebuild_terrain(world);
    return true;
}

}  // namespace qm
