// A drill in the shell: starting one (its map, the history's bests), the
// keys of the drill menu and the results screen, the history line once it
// ends, and the abandoned line when the program ends first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/platform.h"
#include "sim/controls/actions.h"

namespace qm {

struct World;
struct DrillRules;

// A seed from the clock, for a drill started without --seed.
std::uint32_t clock_seed();
// A seed as --seed takes it: a whole number from 0 to 4294967295.
bool parse_seed(std::string_view text, std::uint32_t& seed);

// Between ticks: the drill's map built, the history (world.drill.history_file,
// if any) read for the personal best and the chart, the drill begun. A
// history with lines that are not records leaves its one-line warning in
// `warning`. False, with the reason, when the map cannot be used or the
// history cannot be read (a best it cannot see would be no best at all).
bool start_drill(World& world, const DrillRules& rules, std::uint32_t seed, std::string& warning, std::string& error);

// An input the drill answers, by what it does in a menu and in play (the
// menu's and the results screen's actions, the drill menu, and the actions
// a drill turns off); true when it is answered here.
bool drill_action(World& world, Platform& platform, Action in_menu, Action in_play);

// Whether the drill's menu or results screen shows, which answer Enter and
// Esc themselves.
bool drill_menu_or_results(const World& world);

// After each tick: once a drill has ended, its history line is appended and
// kept by the platform (a failure said on the platform's error line and in
// the results, and noted in world.drill.history_lost) and the results chart
// is drawn.
void drill_after_tick(World& world, Platform& platform);

// At the end of the program: a drill still running, with a shot fired, is
// recorded as abandoned (a failure said on the platform's error line and
// noted in world.drill.history_lost).
void record_abandoned(World& world, Platform& platform);

// Whether leaving now would write an abandoned line: a drill still running,
// a shot fired, and a history to keep it in.
bool abandoned_line_due(const World& world);

}  // namespace qm
