// A secondary projectile: the main projectile's ballistic path plus an offset
// that turns steadily and grows to a fixed length.
#include "bodies/sec_bullet.h"

#include "raster/angles.h"
#include "raster/trig.h"

namespace qm {

namespace {

// Per tick the offset turns by dir x 158.4 x 0.001 x 25 degrees and, while
// its length is at most 43, grows by 3.6000000000000005 (the double just
// above 3.6); a refinement sub-step turns it by 0.1584 and grows it by 0.144.
constexpr double turn_rate = 158.4;  // degrees per unit of flight time
constexpr double tick_growth = 3.6000000000000005;
constexpr double sub_step_turn = 0.1584;
constexpr double sub_step_growth = 0.144;
constexpr double growth_limit = 43.0;

}  // namespace

void sec_bullet::reset(Surface* surface, double power, double angle, double wind_strength, double wind_angle,
                       double start_angle, int x, int y, int direction)
{
    bullet::reset(surface, power, angle, wind_strength, wind_angle, x, y, direction, 1);
    orbit_angle = start_angle;
    orbit_radius = 0.0;
}

int sec_bullet::update(int new_view_x, int new_view_y)
{
    return fly(new_view_x, new_view_y) ? 1 : 0;
}

void sec_bullet::after_step(bool refining)
{
    if (refining) {
        orbit_angle += dir * sub_step_turn;
        if (orbit_radius <= growth_limit) orbit_radius += sub_step_growth;
    } else {
        orbit_angle += dir * turn_rate * 0.001 * 25;
        if (orbit_radius <= growth_limit) orbit_radius += tick_growth;
    }
    const double a = radians(orbit_angle);
    pos_x += static_cast<int>(qm::cos(a) * orbit_radius);
    pos_y += static_cast<int>(qm::sin(a) * orbit_radius);
}

}  // namespace qm
