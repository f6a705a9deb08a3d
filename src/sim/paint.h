// One tick of the simulation: advances everything by one fixed step and
// composes and shows one complete frame.
#pragma once

namespace qm {

struct World;

void paint(World& world);

}  // namespace qm
