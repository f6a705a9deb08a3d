// A round set up as the dialog's Start would, for the shells that have no
// dialog (the headless runner and the shot table): surfaces, wind, and the
// map built into terrain before the first tick.
#pragma once

#include <string>
#include <string_view>

#include "sim/round_start.h"

namespace qm {

// The configuration dialog's wind default: random, changing every 3 shots.
constexpr int default_wind_change_turn = 3;

// Reads random:N (N 1 to 20) or fixed:S:A (S 0 to 25, A 0 to 359) into
// settings; false for anything else.
bool parse_wind(std::string_view text, RoundSettings& settings);
// The forms parse_wind takes, as messages give them: all of them, and the
// ranges of a fixed wind's S and A alone.
std::string wind_values();
std::string fixed_wind_ranges();

// Sets the round up as the dialog's Start does and builds the terrain to the
// end; false, with "FILE: reason" in error, when the map cannot be used.
bool set_up_round(World& world, const RoundSettings& settings, std::string& error);

// Runs ticks until the round is at rest (no request pending, no shot in
// play, both units still), at most max_ticks; answers the ticks run.
long run_until_rest(World& world, long max_ticks);

}  // namespace qm
