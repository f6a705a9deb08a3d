// Construction and copying of the world, and the view its bodies see.
#include "sim/world.h"

namespace qm {

MovingState::MovingState(Field* view)
    : sec_bullet1(view), sec_bullet2(view), mainbullet(view), target1(view), player_bot(view)
{
}

WorldState::WorldState(World* self) : MovingState(&self->field), cam1(self) {}

World::World() : WorldState(this)
{
    adopt_bodies();
}

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
    field.frame = &memoria;
    field.terrain = this;
    field.scratch = this;
    field.rings = this;
    field.readings = this;
    field.secondaries = {&sec_bullet1, &sec_bullet2};
    field.units = {&target1, &player_bot};
    bullet* bodies[] = {&sec_bullet1, &sec_bullet2, &mainbullet, &target1, &player_bot};
    for (bullet* body : bodies) {
        body->field = &field;
        // The only surface ever handed to a launch is the frame surface.
        if (body->dc != nullptr) body->dc = &memoria;
    }
    cam1.world = this;
    cliente = nullptr;
}

}  // namespace qm
