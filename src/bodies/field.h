// The field: what a body sees of the world it lives in. Projectiles and units
// reach the frame, the terrain, the scratch surface, the ring table, the few
// world variables they read and the other bodies they must test through this
// view alone, so a body can be stepped on the side with a view of its own.
#pragma once

#include <array>

#include "bodies/aim_gauge_picture.h"
#include "bodies/ring_table.h"
#include "raster/surface.h"
#include "terrain/terrain_raster.h"

namespace qm {

class bot;
class sec_bullet;

// The playing field: a body is inside while field_left < x < field_right and
// y < field_bottom; there is no bound above. Across, it is the terrain's span.
constexpr int field_left = terrain_left;
constexpr int field_right = terrain_right;
constexpr int field_bottom = 1268;

inline bool outside_field(int x, int y)
{
    return y >= field_bottom || x >= field_right || x <= field_left;
}

constexpr int secondary_shells = 2;  // launched with every main shell

constexpr int scratch_size = 80;  // the unit hit-test surface is 80 by 80

// What the units draw with besides the frame: the surface a unit's body is
// drawn on for the point test and what it holds, and the player's aim gauge
// as last drawn.
struct UnitScratch {
    Surface targ1_dc;                // scratch_size square; white around a black body
    bool targ1_holds_body = false;   // false while it holds no body
    double targ1_slope = 0.0;        // the slope of the body it holds, degrees
    AimGaugePicture gauge;           // copied onto the frame while the aim stays
};

// The world's variables a body reads and never writes.
struct FieldReadings {
    double vang = 50.0;  // aim angle, degrees above the horizontal (10 to 90)
    double wind = 0.0;   // wind strength, whole steps 0 to 24
    double wang = 90.0;  // wind direction, degrees counter-clockwise from +x (90 blows upward)
    int random_x = 0;    // placement roll, 0 to 1599: a respawn falls from x = random_x - 800
    int flat_map = 0;    // 1 on the flat map: ground is the line y = 500, no terrain, no damage
};

struct Field {
    Surface* frame = nullptr;           // the frame being composed: bodies draw themselves on it
    TerrainStripes* terrain = nullptr;  // contact tests read it, craters carve it
    UnitScratch* scratch = nullptr;     // the units' point test draws on it
    const RingTable* rings = nullptr;   // where the slope samples the ground
    const FieldReadings* readings = nullptr;
    std::array<sec_bullet*, secondary_shells> secondaries{};  // launched with the main projectile, stepped after it
    std::array<bot*, 2> units{};               // the target, then the player: tested and damaged in that order
};

}  // namespace qm
