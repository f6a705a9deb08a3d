// The projectile: launch, closed-form trajectory, and one tick of flight with
// collision, impact refinement, crater and damage.
#include "bodies/bullet.h"

#include <cmath>

#include "bodies/bot.h"
#include "bodies/sec_bullet.h"
#include "raster/angles.h"
#include "raster/trig.h"
#include "terrain/terrain_raster.h"

namespace qm {

namespace {

// Crater: a 60 by 48 ellipse around the impact point.
constexpr int crater_half_width = 30;
constexpr int crater_half_height = 24;

// Projectile mark: a 15 by 15 ellipse, green with a dark green outline.
constexpr COLORREF mark_fill = 0x0020B652;
constexpr COLORREF mark_outline = 0x00108030;

// Truncate a wind component toward zero, keeping it a double.
double whole_toward_zero(double v)
{
    return v < 0.0 ? -std::floor(std::fabs(v)) : std::floor(std::fabs(v));
}

}  // namespace

bullet::bullet(Field* view) : field(view) {}

void bullet::reset(Surface* surface, double power, double angle, double wind_strength, double wind_angle, int x,
                   int y, int direction, int)
{
    dc = surface;
    double a = radians(angle);
    vel_x = power * qm::cos(a);
    vel_y = power * qm::sin(a);
    double w = radians(wind_angle);
    wind_x = wind_strength * qm::cos(w);
    wind_y = wind_strength * qm::sin(w);
    origin_x = x;
    origin_y = y;
    dir = direction;
    wind_x = whole_toward_zero(wind_x);
    wind_y = whole_toward_zero(wind_y);
    time = 0.0;
    pos_x = placeholder_x;
    pos_y = placeholder_y;
    state = 0;
}

void bullet::reset(Surface* surface, double power, double angle, double wind_strength, double wind_angle, int x,
                   int y, int direction)
{
    reset(surface, power, angle, wind_strength, wind_angle, x, y, direction, 1);

    // The secondaries start half a turn apart. Kept as it always was: their
    // start angles follow the world's aim angle, not this launch's angle.
    double vang = field->readings->vang;
    double start1;
    double start2;
    if (dir == 1) {
        start1 = 27 - (vang - 10) * dir / 2;
        start2 = 207 - (vang - 10) * dir / 2;
    } else {
        start1 = 80 - (vang - 10) * dir / 2;
        start2 = 260 - (vang - 10) * dir / 2;
    }
    field->secondaries[0]->reset(surface, power, angle, wind_strength, wind_angle, start1, origin_x, origin_y, dir);
    field->secondaries[1]->reset(surface, power, angle, wind_strength, wind_angle, start2, origin_x, origin_y, dir);
}

void bullet::place_at_clock(int x0, int y0, double wind_half_accel, double wind_accel_y)
{
    double t = time;
    pos_x = static_cast<int>(x0 + (dir * launch_speed_scale * vel_x * t + wind_x * wind_half_accel * t * t) *
                                      pixels_per_unit);
    pos_y = static_cast<int>(y0 - (vel_y * launch_speed_scale * t + (wind_y * wind_accel_y - gravity) * 0.5 * t * t) *
                                      pixels_per_unit);
}

void bullet::calc()
{
    place_at_clock(origin_x, origin_y, wind_half_accel_x, wind_accel);
}

bool bullet::advance_one_tick()
{
    if (hit() == 0) {
        time += tick_step;
        calc();
        after_step(false);
    }
    return state == 0 && hit() != 0;
}

void bullet::refine_impact()
{
    time -= tick_step;
    state = 0;
    for (int i = 0; i < max_sub_steps; ++i) {
        time += sub_step;
        calc();
        after_step(true);
        if (hit() != 0) break;
    }
    state = 1;
}

bool bullet::take_view(int new_view_x, int new_view_y)
{
    if (state >= state_at_rest) return false;
    view_x = new_view_x;
    view_y = new_view_y;
    return true;
}

bool bullet::fly(int new_view_x, int new_view_y)
{
    if (!take_view(new_view_x, new_view_y)) return false;
    if (advance_one_tick()) {
        refine_impact();
        stamp_crater();
        damage_units();
    }
    paint();
    return true;
}

int bullet::update(int new_view_x, int new_view_y)
{
    if (!fly(new_view_x, new_view_y)) return 0;
    for (sec_bullet* secondary : field->secondaries) secondary->update(new_view_x, new_view_y);
    return 1;
}

int bullet::hit()
{
    if (state != 0) {
        ++state;
        return 1;
    }
    if (outside_field(pos_x, pos_y)) {
        ++state;
        return 1;
    }
    if (field->readings->flat_map != 0 && pos_y >= flat_ground_y) {
        ++state;
        return 1;
    }
    if (is_terrain(*field->terrain, pos_x, pos_y)) {
        ++state;
        return 1;
    }
    // A unit struck leaves the projectile's state alone.
    for (bot* unit : field->units) {
        if (unit->collision(pos_x, pos_y)) return 1;
    }
    return 0;
}

void bullet::paint()
{
    int sx = pos_x - view_x;
    int sy = pos_y - view_y;
    Ellipse(*field->frame, Pen{0, mark_outline}, Brush{mark_fill}, sx - 7, sy - 8, sx + 8, sy + 7);
}

void bullet::stamp_crater()
{
    const Pen pen{2, empty_colour};
    const Brush brush{empty_colour};
    for (int i = 0; i < stripe_count; ++i) {
        int sx = pos_x - i * stripe_size - terrain_left;
        int sy = pos_y - terrain_top;
        Ellipse(field->terrain->ground[i], pen, brush, sx - crater_half_width, sy - crater_half_height, sx + crater_half_width,
                sy + crater_half_height);
    }
}

void bullet::damage_units()
{
    if (field->readings->flat_map != 0) return;
    for (bot* unit : field->units) unit->damage(pos_x, pos_y);
}

}  // namespace qm
