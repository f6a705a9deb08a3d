// The options the shot table, the shot chart and the solver share: the map
// and a fixed wind, the facing, a grid axis of angles or powers, and the
// threads; and the settled round they fire from.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "cli/grid_axis.h"
#include "cli/options.h"

namespace qm {

struct RoundSettings;
struct World;

// --map FILE: the map the shots are fired on.
Option map_option(RoundSettings& round);

// --wind fixed:S:A, calm unless told; any other wind is refused as
// "COMMAND needs fixed:S:A with ..." (needs: "a table needs", "solve needs").
Option fixed_wind_option(const char* needs, RoundSettings& round);

// --facing left|right into a direction (1 right, -1 left).
Option facing_option(int& direction);

// A grid axis within [low, high]: refused as "bad WHAT 'V': FORMS".
Option axis_option(const char* name, const char* value, const char* what, std::string forms, const char* help,
                   double low, double high, GridAxis& values);

// --threads N, 1 to max_threads, by default one a core.
Option threads_option(int& threads);

// The round the settings set up, settled (both units at rest); null, with
// one line on err naming the command, when the map cannot be read or the
// units do not come to rest.
std::unique_ptr<World> settled_round(const RoundSettings& settings, const char* command, std::FILE* err);

}  // namespace qm
