// Stand-in for the main window's procedure, until that code lands.
#pragma once

#include "core/world.h"
#include "main/platform.h"

namespace qm {

LRESULT WindowProcedure(World& world, Platform& platform, unsigned message, WPARAM wparam, LPARAM lparam);

}  // namespace qm
