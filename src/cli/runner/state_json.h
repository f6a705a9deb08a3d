// The simulation state as one line of JSON, for the headless runner's
// `state` command.
#pragma once

#include <cstdio>

#include "formats/controls/controls_file.h"

namespace qm {

struct World;
class JsonWriter;

// Writes one JSON object and a line break. Doubles are written with enough
// digits to read back to the same value. The line is built in json, which a
// session keeps from one line to the next so that its lines allocate nothing.
void write_state_json(const World& world, const ControlsFile& controls, long long tick, JsonWriter& json,
                      std::FILE* out);

}  // namespace qm
