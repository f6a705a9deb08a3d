// The main window's message handler: one tick per timer message, key flags
// from key presses and releases, the practice aids' keys, and the
// right-button pan.
#pragma once

#include "shell/platform.h"

namespace qm {

struct World;

// Answers 0 for every message it handles and the platform's default answer
// for the others.
LRESULT WindowProcedure(World& world, Platform& platform, unsigned message, WPARAM wparam, LPARAM lparam);

}  // namespace qm
