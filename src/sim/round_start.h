// The start of a round, shared by the dialog's Start and the headless runner:
// the surfaces, the wind settings and the map, then the terrain build.
#pragma once

#include "sim/world.h"

namespace qm {

struct RoundSettings {
    const char* map = nullptr;  // the map file to play on; null for the flat map
    int random_wind = 1;        // 1: the wind changes every wind_change_turn shots; 0: fixed
    int wind_change_turn = 2;   // random wind only
    double wind = 0.0;          // fixed wind only: strength
    double wang = 0.0;          // fixed wind only: direction, degrees
};

// Makes the drawing surfaces (the display mode must be chosen by now: they
// measure the screen), applies the wind settings and, for a map, loads its
// image and begins the terrain build (loading 1). A map file that has become
// unreadable leaves the image as it was: the terrain is built from it anyway.
void start_round(World& world, const RoundSettings& settings);

// One step of the terrain build; false once the terrain is complete.
bool build_terrain_step(World& world);

}  // namespace qm
