// A unit's life: placement, the fall under gravity and a third of the wind,
// landing and re-anchoring, ground contact, death and the respawn countdown,
// and the camera's question whether to stay on it.
#include "bodies/bot.h"

#include <cmath>

#include "raster/angles.h"
#include "raster/trig.h"
#include "terrain/terrain_raster.h"

namespace qm {

namespace {

// The wind moves a unit a third as much as a projectile.
constexpr double unit_wind_half_accel_x = wind_half_accel_x / 3;
constexpr double unit_wind_accel = wind_accel / 3;
static_assert(unit_wind_half_accel_x == 0.0009515270166666666 && unit_wind_accel == 0.0019030540333333332);

// Death: the countdown starts at 35; the unit is drawn while it is above 9,
// hidden below that, and placed anew when it reaches 1.
constexpr int respawn_countdown = 35;
constexpr int last_hidden_tick = 9;
constexpr int respawn_x_offset = 800;  // a respawn stands at random_x - 800 ...
constexpr int respawn_y = 0;           // ... and drops from the top

constexpr int focus_hold = 40;  // ticks the camera dwells after a fall or a death
constexpr int longest_fall = 4000;  // ticks; a fall from the top of the world takes a few hundred

// The position of a unit falling from (x0, y0) at clock t, as bullet's
// closed form places it with power 0 and facing right.
void fall_position(int x0, int y0, double wind_x, double wind_y, double t, int& x, int& y)
{
    x = static_cast<int>(x0 + (wind_x * unit_wind_half_accel_x * t * t) * pixels_per_unit);
    y = static_cast<int>(y0 - ((wind_y * unit_wind_accel - gravity) * 0.5 * t * t) * pixels_per_unit);
}

}  // namespace

void bot::reset(Surface* surface, double wind_strength, double wind_angle, int x, int y)
{
    // Kept as it always was: this is the launch that also launches both
    // secondaries, with power 0 from the unit's position. They stay unseen,
    // since only the main projectile's update steps them.
    bullet::reset(surface, 0.0, 0.0, wind_strength, wind_angle, x, y, 1);
    anchor_x = x;
    anchor_y = y;
    respawn_ticks = 0;
    hp = full_hp;
}

void bot::calc()
{
    // A unit's dir is always 1, so the projectile's form is the unit's.
    place_at_clock(anchor_x, anchor_y, unit_wind_half_accel_x, unit_wind_accel);
}

int bot::update(int new_view_x, int new_view_y)
{
    if (!take_view(new_view_x, new_view_y)) return 0;
    if (advance_one_tick()) {
        // The advance reached the ground: find the landing in sub-steps and
        // anchor the next fall there. Landed even if no sub-step touched.
        refine_impact();
        time = 0.0;
        anchor_x = pos_x;
        anchor_y = pos_y;
    }

    if (state <= 0) {
        focus_ticks = focus_hold;
    } else {
        slope = get_slope();
        if (focus_ticks > 0) --focus_ticks;
    }
    if (state > 0) state = 0;

    if (hp == 0 && respawn_ticks == 0) {
        respawn_ticks = respawn_countdown;
        focus_ticks = focus_hold;
    }
    if (respawn_ticks > last_hidden_tick || respawn_ticks == 0) paint();
    if (respawn_ticks > 1) --respawn_ticks;
    if (respawn_ticks == 1) {
        respawn_ticks = 0;
        const FieldReadings& r = *field->readings;
        reset(dc, r.wind, r.wang, r.random_x - respawn_x_offset, respawn_y);
    }
    return 1;
}

int bot::hit()
{
    if (outside_field(pos_x, pos_y)) {
        // Outside positions count as ground, so the unit stops there while
        // its countdown runs. Kept as it always was: the slope's samples are
        // contact tests too, so a unit standing within 20 pixels of the
        // field's edge starts its own respawn countdown by measuring.
        ++state;
        if (respawn_ticks == 0) respawn_ticks = respawn_countdown;
        return 1;
    }
    if (field->readings->flat_map != 0) {
        if (pos_y >= flat_ground_y) {
            ++state;
            return 1;
        }
        return 0;
    }
    if (is_terrain(*field->terrain, pos_x, pos_y)) {
        ++state;
        return 1;
    }
    return 0;
}

bool unit_landing(const TerrainStripes& terrain, int x0, int y0, double wind_strength, double wind_angle,
                  int& landed_x)
{
    // The wind's components in whole steps toward zero, as a launch takes them.
    const double wind_x = std::trunc(wind_strength * qm::cos(radians(wind_angle)));
    const double wind_y = std::trunc(wind_strength * qm::sin(radians(wind_angle)));
    int x = x0, y = y0;
    double t = 0.0;  // summed a tick at a time, as the unit's own clock is
    for (int tick = 1; tick <= longest_fall; ++tick) {
        t += tick_step;
        fall_position(x0, y0, wind_x, wind_y, t, x, y);
        if (outside_field(x, y)) return false;
        if (!is_terrain(terrain, x, y)) continue;
        // As refine_impact: back to the last free time, then sub-steps.
        t -= tick_step;
        for (int step = 0; step < max_sub_steps; ++step) {
            t += sub_step;
            fall_position(x0, y0, wind_x, wind_y, t, x, y);
            if (is_terrain(terrain, x, y)) break;
        }
        landed_x = x;
        return true;
    }
    return false;
}

int bot::focus()
{
    return focus_ticks != 0 ? 1 : 0;
}

int player::focus()
{
    // The first question after a shot is answered 0, which turns the camera
    // to the projectile.
    if (just_fired == 0) return 1;
    just_fired = 0;
    return 0;
}

}  // namespace qm
