// windows.h after every shared header the Win32 shell uses: the shared code
// names the platform's messages, keys and flags as constants, which
// windows.h defines as macros of the same values. Every file of the Win32
// shell includes this instead of windows.h.
#pragma once

#include "cli/command_line.h"
#include "shell/dialog/dialog_procedure.h"
#include "shell/dialog/load_resources.h"
#include "shell/display_modes.h"
#include "shell/exit_codes.h"
#include "shell/message_loop.h"
#include "shell/startup.h"
#include "sim/presenter.h"
#include "sim/world.h"

namespace qm {
// The shared modifier flags under names windows.h leaves alone: its MOD_*
// are the hot-key flags, with other values.
constexpr unsigned modifier_shift = MOD_SHIFT;
constexpr unsigned modifier_control = MOD_CONTROL;
constexpr unsigned modifier_alt = MOD_ALT;
}  // namespace qm

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
