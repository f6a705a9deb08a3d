// Construction and copying of the world, and the ring-sample table.
#include "sim/world.h"

#include <cmath>

namespace qm {

WorldState::WorldState(World* self)
    : imagen(static_cast<std::size_t>(map_rows) * map_max_columns, 0),
      sec_bullet1(self),
      sec_bullet2(self),
      mainbullet(self),
      target1(self),
      player_bot(self),
      cam1(self)
{
}

World::World() : WorldState(this) {}

World::World(const World& other) : WorldState(other)
{
    adopt_bodies();
}

World& World::operator=(const World& other)
{
    if (this != &other) {
        WorldState::operator=(other);
        adopt_bodies();
    }
    return *this;
}

void World::adopt_bodies()
{
    bullet* bodies[] = {&sec_bullet1, &sec_bullet2, &mainbullet, &target1, &player_bot};
    for (bullet* body : bodies) {
        body->world = this;
        // The only surface ever handed to a launch is the frame surface.
        if (body->dc != nullptr) body->dc = &memoria;
    }
    cam1.world = this;
    cliente = nullptr;
}

void fill_circle_samp(World& world)
{
    // The angle is formed in extended precision and rounded to a double, and
    // the products are formed in extended precision again: that is what puts
    // the exact half values on the sides the table holds.
    for (int r = 0; r < ring_radii; ++r) {
        for (int k = 0; k < ring_directions; ++k) {
            long double angle_ext = static_cast<long double>(k * 15) * static_cast<long double>(pi) / 180.0L;
            double angle = static_cast<double>(angle_ext);
            long double c = std::cos(static_cast<long double>(angle));
            long double s = std::sin(static_cast<long double>(angle));
            world.circle_samp[r][k].x = static_cast<int>(c * r);
            world.circle_samp[r][k].y = static_cast<int>(s * r);
        }
    }
}

}  // namespace qm
