// The simulation state as one line of JSON, for the headless runner's
// `state` command.
#pragma once

#include <cstdio>

namespace qm {

struct World;

// Writes one JSON object and a line break. Doubles are written with enough
// digits to read back to the same value.
void write_state_json(const World& world, long long tick, std::FILE* out);

}  // namespace qm
