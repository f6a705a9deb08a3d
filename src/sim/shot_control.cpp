// Shot control and the turn cycle: what one tick makes of the key flags, the
// random draws, unit placement, firing and the wind change.
#include "sim/shot_control.h"

#include <cstdio>

#include "sim/shot_record.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr double highest_angle = max_aim_angle;  // the angle rises only below it
constexpr double lowest_angle = min_aim_angle;   // the angle falls only above it
constexpr double angle_step = 1.0;      // degrees per tick
constexpr double power_ceiling = 3.9999;  // the power rises only below it
constexpr double power_floor = 0.01;      // the power falls only above it
constexpr double power_step = 0.01;       // per tick

constexpr int wind_strength_roll = 25;   // strengths 0 to 24
constexpr int wind_angle_roll = 360;     // directions 0 to 359 degrees
constexpr int placement_roll = 1600;     // random_x stays within 0 to 1599

constexpr int fire_delay = 30;  // ticks from a fire request to the launch

// World points from which the units start falling on the first tick.
constexpr int target_start_x = 180;
constexpr int target_start_y = 0;
constexpr int player_start_x = 0;
constexpr int player_start_y = 0;

// One notch of those waiting, taken for this tick: 1 up, -1 down, 0 none.
// A notch is spent whether or not the aim may change, as a key held in
// that tick would be.
int take_step(int& steps)
{
    const int step = steps > 0 ? 1 : steps < 0 ? -1 : 0;
    steps -= step;
    return step;
}

std::string range_text(double low, double high)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g to %g", low, high);
    return text;
}

}  // namespace

std::string aim_angle_range() { return range_text(min_aim_angle, max_aim_angle); }
std::string aim_power_range() { return range_text(min_aim_power, max_aim_power); }

void aim_and_rolls(World& world)
{
    // Each line applies at once, so a later line sees an earlier one's change:
    // both angle keys held at 90 give 89.
    const bool aiming = world.focus == 0;
    const int angle_notch = take_step(world.angle_steps);
    const int power_notch = take_step(world.power_steps);
    const bool angle_up = world.angle_up != 0 || angle_notch > 0;
    const bool angle_down = world.angle_down != 0 || angle_notch < 0;
    const bool pow_up = world.pow_up != 0 || power_notch > 0;
    const bool pow_down = world.pow_down != 0 || power_notch < 0;
    if (angle_up && world.vang < highest_angle && aiming) world.vang += angle_step;
    if (angle_down && world.vang > lowest_angle && aiming) world.vang -= angle_step;
    if (pow_up && world.v0 < power_ceiling && aiming) world.v0 += power_step;
    if (pow_down && world.v0 > power_floor && aiming) world.v0 -= power_step;

    // Three draws every tick, in this order, whether or not they are used.
    world.new_wind = world.rng.next();
    world.new_wang = world.rng.next();
    world.new_wind %= wind_strength_roll;
    world.new_wang %= wind_angle_roll;
    world.random_x = (world.random_x + world.rng.next()) % placement_roll;

    if (world.fire_now != 0 && world.shoot_delay <= fire_delay - 1) world.shoot_delay += 1;
}

void update_target(World& world, int cam_x, int cam_y)
{
    if (world.flat_map != 0) return;
    // Only construction leaves a unit at rest; a unit that dies is placed
    // again by its own update.
    if (world.target1.state == state_at_rest)
        world.target1.reset(&world.memoria, world.wind, world.wang, target_start_x, target_start_y);
    world.target1.update(cam_x, cam_y);
}

void update_player(World& world, int cam_x, int cam_y)
{
    if (world.player_bot.state == state_at_rest)
        world.player_bot.reset(&world.memoria, world.wind, world.wang, player_start_x, player_start_y);
    world.player_bot.update(cam_x, cam_y);
}

void turn_logic(World& world, int busy)
{
    if (busy != 0) {
        // One shot in the air at a time: a request made now is forgotten.
        if (world.fire_now != 0) {
            world.fire_now = 0;
            world.shoot_delay = 0;
        }
        return;
    }

    // The wind changes before any shot of this tick, so the next shot flies
    // in the new wind.
    if (world.random_wind != 0 && world.shots_done == world.wind_change_turn) {
        world.wind = world.new_wind;
        world.wang = world.new_wang;
        world.shots_done = 0;
    }

    if (world.fire_now != 0 && world.shoot_delay == fire_delay) {
        player& p = world.player_bot;
        world.mainbullet.reset(&world.memoria, world.v0, world.vang, world.wind, world.wang, p.launch_x, p.launch_y,
                               world.direction);
        begin_shot_record(world);
        p.just_fired = 1;  // moves the camera onto the shot and freezes the aim
        world.shots_done += 1;
        world.shoot_delay = 0;
        world.fire_now = 0;
    }
}

}  // namespace qm
