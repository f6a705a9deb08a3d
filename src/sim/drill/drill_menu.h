// The drill menu shown in the frame: its entries (filled by the shell when D
// opens it) and the selection.
#pragma once

#include "sim/drill/drill_rules.h"

namespace qm {

constexpr int drill_menu_entries = 32;
constexpr int drill_description_size = 384;  // a drill file's error with its path, in a few lines

struct DrillMenu {
    bool open = false;
    int count = 0;
    int selected = 0;
    char names[drill_menu_entries][drill_name_size] = {};  // shown
    char keys[drill_menu_entries][map_name_size] = {};     // what --drill would take: a name or a file
    char descriptions[drill_menu_entries][drill_description_size] = {};  // the selected one's shows under the list
};

}  // namespace qm
