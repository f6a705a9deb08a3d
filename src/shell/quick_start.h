// Quick start: the desktop program started with its round's choices on the
// command line skips the configuration dialog.
//
//   qmsim [--map FILE] [--mode stretch|full32|full16|windowed] [--wind random:N | --wind fixed:S:A]
#pragma once

#include <string>

#include "shell/dialog/dialog_procedure.h"
#include "shell/round_setup.h"

namespace qm {

constexpr const char* quick_start_usage =
    "usage: qmsim [--map FILE] [--mode stretch|full32|full16|windowed] [--wind random:N | --wind fixed:S:A]\n";

struct QuickStart {
    bool requested = false;  // any of the options was given
    ScreenMode mode = ScreenMode::stretch_fullscreen;
    bool wind_given = false;
    RoundSettings round;     // the map (null: the flat map) and the wind
};

// Reads --map, --mode and --wind (argv[0] is the program). Returns false
// with a one-line reason in error for any other argument, a missing value, a
// bad one or a map file that cannot be used.
bool parse_quick_start(int argc, char** argv, QuickStart& choices, std::string& error);

// Once the dialog is initialised: puts the choices into its controls as a
// user would (what is not given keeps the dialog's default) and presses
// Start, without the dialog ever showing.
void quick_start(DialogContext& context, const QuickStart& choices);

}  // namespace qm
