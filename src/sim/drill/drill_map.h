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

// Free practice's map taken aside before the first drill's map is loaded
// over it, and built again when the drill ends (both between ticks): the
// units drop afresh on it, as they do on a drill's map.
void keep_free_map(World& world);
void restore_free_map(World& world);

// The names `map` takes for the built-in sample maps ("hills" for hills.bmp).
bool is_sample_map(const char* name);

}  // namespace qm
