// The drill's map built into the round's terrain: level ground, a sample
// map or a map file, in place of whatever the round stood on.
#pragma once

#include <string>

#include "sim/drill/drill_rules.h"

namespace qm {

struct World;

// Between ticks (it allocates and takes a moment): the image loaded, the
// stripes emptied and built again, the view drawn anew, and both units
// dropped afresh. False, with the reason, for a map file that cannot be
// used or an unknown sample; the round is then left as it was.
bool load_drill_map(World& world, const DrillRules& rules, std::string& reason);

// The names `map` takes for the built-in sample maps ("hills" for hills.bmp).
bool is_sample_map(const char* name);

}  // namespace qm
