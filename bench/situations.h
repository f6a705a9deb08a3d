// The worlds the tick benchmarks start from, each built by a fixed sequence
// of ticks so that every run measures the same situation.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "sim/world.h"

namespace qm::bench {

// The flat map, the player landed and the camera settled.
const World& flat_at_rest();

// The first sample map (3200 wide), both units landed and measuring their
// slope every tick, the camera settled.
const World& hills_at_rest();

// The world of hills_at_rest with a shot fired at the target: the state just
// before the last tick of the flight, in which the shell and both
// secondaries are still in the air and inside the target's test box.
const World& shot_near_target();

// The state just before the tick in which the shell and both secondaries
// strike next to the target: three refinements, three craters, damage.
const World& shot_before_impact();

// The state one tick before shot_near_target.
const World& shot_approaching();

// Empty when the situation is what its name says, else what is wrong. Each
// runs the situation's next tick on a copy.
std::string check_shot_near_target();
std::string check_shot_before_impact();

// Puts a world back to a situation after its next `ticks` ticks, copying
// only what those ticks change: the values of the world, the frame, the
// scratch surface, and the stripes that their craters touch.
class Rewind {
public:
    Rewind(const World& situation, int ticks);

    void operator()(World& w) const;

    // Empty when a rewound world runs the same ticks as a fresh copy, else
    // what differs.
    std::string check() const;

private:
    const World& situation_;
    int ticks_;
    std::unique_ptr<World> values_;  // the situation without its pixels
    std::array<bool, stripe_count> copied_{};  // stripes the ticks change, or whose marks they read
};

// Lays the first sample map into world.imagen, as the map reader would.
void load_sample_map(World& world);

}  // namespace qm::bench
