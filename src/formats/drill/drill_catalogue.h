// Finding drills: the built-ins by name, drill files by path, and the list
// the drill menu and `qmsim drills` show.
#pragma once

#include <string>
#include <vector>

#include "sim/drill/drill_rules.h"

namespace qm {

struct DrillEntry {
    std::string key;    // what --drill takes: a built-in's name or a file's path
    std::string title;  // the drill's name, or the file's for a file that does not read
};

// A built-in's name or a drill file; false with "FILE:LINE: reason" (or why
// neither exists).
bool find_drill(const std::string& name_or_file, DrillRules& rules, std::string& error);

// The built-ins, then the *.drill files of `folder` by name.
std::vector<DrillEntry> list_drills(const std::string& folder);

// One line on what the drill asks: rounds, shots, distances, side, wind, angle, map.
std::string describe_drill(const DrillRules& rules);

}  // namespace qm
