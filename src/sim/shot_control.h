// Shot control and the turn cycle: aim and power from the held keys, the
// three rolls of every tick, the fire delay, placing and stepping the units,
// firing, dropping requests made in flight, and the wind change.
#pragma once

#include <string>

namespace qm {

struct World;

// The aim's range: the keys keep the angle within it, and everything that
// sets an aim directly (scripts, tables, charts, drills) holds to it.
constexpr double min_aim_angle = 10.0;  // degrees above the horizontal
constexpr double max_aim_angle = 90.0;
constexpr double min_aim_power = 0.0;
constexpr double max_aim_power = 4.0;

// The ranges as messages give them: "10 to 90", "0 to 4".
std::string aim_angle_range();
std::string aim_power_range();

// Aim and power from the held keys, the three random draws and the fire
// delay count, in that order.
void aim_and_rolls(World& world);

// The target is placed on the first tick, then stepped and drawn; on the flat
// map it is left alone.
void update_target(World& world, int cam_x, int cam_y);

// The player is placed on the first tick, then stepped and drawn with its aim
// gauge, which also fixes its launch point.
void update_player(World& world, int cam_x, int cam_y);

// With no shot in the air (busy 0): the due wind change, then the firing of a
// pending request whose delay has run out. With a shot in the air (busy 1): a
// pending request is dropped.
void turn_logic(World& world, int busy);

}  // namespace qm
