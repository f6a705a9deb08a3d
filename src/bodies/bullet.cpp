// The projectile: launch, closed-form trajectory, and one tick of flight with
// collision, impact refinement, crater and damage.
#include "bodies/bullet.h"

#include <cmath>

#include "sim/world.h"
#include "terrain/terrain_raster.h"

namespace qm {

namespace {

// Playing field of a projectile: -2400 < x < 2400 and y < 1268.
constexpr int field_right = 2400;
constexpr int field_left = -2400;
constexpr int field_bottom = 1268;

constexpr int flat_ground_y = 500;  // the flat map's ground line
constexpr int terrain_bottom = 1300;

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

bullet::bullet(World* owner) : world(owner) {}

void bullet::reset(Surface* surface, double power, double angle, double wind_strength, double wind_angle, int x,
                   int y, int direction, int)
{
    dc = surface;
    double a = angle * pi / 180;
    vel_x = power * std::cos(a);
    vel_y = power * std::sin(a);
    double w = wind_angle * pi / 180;
    wind_x = wind_strength * std::cos(w);
    wind_y = wind_strength * std::sin(w);
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

    // The secondaries start half a turn apart; their start angles follow the
    // global aim angle, not this launch's angle.
    double vang = world->vang;
    double start1;
    double start2;
    if (dir == 1) {
        start1 = 27 - (vang - 10) * dir / 2;
        start2 = 207 - (vang - 10) * dir / 2;
    } else {
        start1 = 80 - (vang - 10) * dir / 2;
        start2 = 260 - (vang - 10) * dir / 2;
    }
    world->sec_bullet1.reset(surface, power, angle, wind_strength, wind_angle, start1, origin_x, origin_y, dir);
    world->sec_bullet2.reset(surface, power, angle, wind_strength, wind_angle, start2, origin_x, origin_y, dir);
}

void bullet::calc()
{
    double t = time;
    pos_x = static_cast<int>(origin_x + (dir * launch_speed_scale * vel_x * t + wind_x * wind_half_accel_x * t * t) *
                                            pixels_per_unit);
    pos_y = static_cast<int>(origin_y - (vel_y * launch_speed_scale * t + (wind_y * wind_accel - gravity) * 0.5 * t * t) *
                                            pixels_per_unit);
}

bool bullet::advance_one_tick()
{
    if (hit() == 0) {
        time += tick_step;
        calc();
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
        if (hit() != 0) break;
    }
    state = 1;
}

int bullet::update(int new_view_x, int new_view_y)
{
    if (state >= state_at_rest) return 0;
    view_x = new_view_x;
    view_y = new_view_y;

    if (advance_one_tick()) {
        refine_impact();
        stamp_crater();
        damage_units();
    }
    paint();
    world->sec_bullet1.update(new_view_x, new_view_y);
    world->sec_bullet2.update(new_view_x, new_view_y);
    return 1;
}

int bullet::hit()
{
    if (state != 0) {
        ++state;
        return 1;
    }
    if (pos_y >= field_bottom || pos_x >= field_right || pos_x <= field_left) {
        ++state;
        return 1;
    }
    if (world->flat_map != 0 && pos_y >= flat_ground_y) {
        ++state;
        return 1;
    }
    for (int i = 0; i < stripe_count; ++i) {
        int left = i * stripe_size + terrain_left;
        if (pos_y >= terrain_top && pos_y <= terrain_bottom && pos_x >= left && pos_x < left + stripe_size) {
            if (GetPixel(world->ground[i], pos_x - left, pos_y - terrain_top) == terrain_colour) {
                ++state;
                return 1;
            }
        }
    }
    if (world->target1.collision(pos_x, pos_y) != 0) return 1;
    if (world->player_bot.collision(pos_x, pos_y) != 0) return 1;
    return 0;
}

void bullet::paint()
{
    int sx = pos_x - view_x;
    int sy = pos_y - view_y;
    Ellipse(world->memoria, Pen{0, mark_outline}, Brush{mark_fill}, sx - 7, sy - 8, sx + 8, sy + 7);
}

void bullet::stamp_crater()
{
    const Pen pen{2, empty_colour};
    const Brush brush{empty_colour};
    for (int i = 0; i < stripe_count; ++i) {
        int sx = pos_x - i * stripe_size - terrain_left;
        int sy = pos_y - terrain_top;
        Ellipse(world->ground[i], pen, brush, sx - crater_half_width, sy - crater_half_height, sx + crater_half_width,
                sy + crater_half_height);
    }
}

void bullet::damage_units()
{
    if (world->flat_map != 0) return;
    world->target1.damage(pos_x, pos_y);
    world->player_bot.damage(pos_x, pos_y);
}

}  // namespace qm
