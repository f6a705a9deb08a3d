// The main window's message handler: one tick per timer message, the
// actions of keys, the wheel, a pad and touch buttons, and the right-button
// pan.
#pragma once

#include "shell/platform.h"

namespace qm {

struct World;

// Answers 0 for every message it handles and the platform's default answer
// for the others.
LRESULT WindowProcedure(World& world, Platform& platform, unsigned message, WPARAM wparam, LPARAM lparam);

}  // namespace qm
