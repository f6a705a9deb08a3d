// Stand-ins for the terrain and main-window code the shell calls,
// until that code lands; removed entry by entry as it does.
#pragma once

#include "core/world.h"
#include "main/platform.h"

namespace qm {

void get_map_names(World& world);
int open_bitmap(World& world, const char* filename, int mode);
int load_map(World& world);
LRESULT WindowProcedure(World& world, Platform& platform, unsigned message, WPARAM wparam, LPARAM lparam);

}  // namespace qm
