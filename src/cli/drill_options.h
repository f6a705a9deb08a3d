// The options that play a drill, shared by the desktop's quick start and the
// headless runner: --drill NAME|FILE [--seed N], --challenge CODE|PACK and
// --history FILE.
#pragma once

#include <cstdint>
#include <string>

#include "cli/options.h"
#include "sim/drill/drill_rules.h"

namespace qm {

struct DrillOptions {
    const char* drill = nullptr;    // a built-in's name or a drill file
    bool seed_given = false;
    std::uint32_t seed = 0;
    const char* history = nullptr;  // --history FILE
    const char* challenge = nullptr;  // --challenge CODE|PACK: a drill and its seed
};

// Adds --drill, --seed, --challenge and --history to the command, the first
// of them on a new usage line.
void add_drill_options(Command& command, DrillOptions& options);

// Why --history refuses a path: empty, or longer than a drill keeps (never
// cut short); empty when it takes it.
std::string history_path_refusal(const char* path);

// The history `qmsim history` and `qmsim coach` read: --history's FILE
// (given), or the default place; false with the reason when the
// environment names none, or when a FILE named is not there (a history
// not begun yet is no history to read, unless `must_exist` is false: an
// import may begin one).
bool history_to_read(const char* given, bool must_exist, std::string& path, std::string& error);

// Once every option is read: a drill sets the map and the wind, and a seed
// needs a drill. False with the reason.
bool check_drill_options(const DrillOptions& options, bool map_or_wind_given, std::string& error);

// Whether --drill or --challenge asks for a drill.
bool drill_asked(const DrillOptions& options);

// The drill asked for: --drill's found by name or file, or --challenge's read
// from its code, whose seed then counts as given. False with the reason.
bool find_asked_drill(DrillOptions& options, DrillRules& rules, std::string& error);

}  // namespace qm
