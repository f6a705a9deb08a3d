// The options the shot table and the shot chart share: the facing, a grid
// axis of angles or powers, and the threads.
#pragma once

#include <string>

#include "cli/grid_axis.h"
#include "cli/options.h"

namespace qm {

// --facing left|right into a direction (1 right, -1 left).
Option facing_option(int& direction);

// A grid axis within [low, high]: refused as "bad WHAT 'V': FORMS".
Option axis_option(const char* name, const char* value, const char* what, std::string forms, const char* help,
                   double low, double high, GridAxis& values);

// --threads N, 1 to max_threads, by default one a core.
Option threads_option(int& threads);

}  // namespace qm
