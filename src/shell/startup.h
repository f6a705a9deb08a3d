// Start-up once the platform has made its windows: the ring-sample table,
// the map catalogue, the configuration dialog, the message loop, and the
// screen's mode put back at the end.
#pragma once

#include "sim/world.h"
#include "shell/display_modes.h"
#include "shell/message_loop.h"
#include "shell/quick_start.h"

namespace qm {

// Runs the program to its end and returns the exit code the quit request
// carried. With quick-start choices the dialog never shows: they start the
// round at once. The controls chosen are in effect from the start, and the
// first frames say where the help is unless the choices ask for quiet.
int run_shell(World& world, MessageLoop& loop, Display& display, const QuickStart& choices = {});

}  // namespace qm
