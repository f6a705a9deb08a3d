// Quick start: the desktop program started with its round's choices on the
// command line skips the configuration dialog.
//
//   qmsim [--map FILE] [--mode stretch|full32|full16|windowed] [--wind random:N | --wind fixed:S:A]
//         [--drill NAME|FILE [--seed N]] [--history FILE]
#pragma once

#include <cstdint>
#include <string>

#include "shell/dialog/dialog_procedure.h"
#include "shell/round_setup.h"
#include "sim/drill/drill_rules.h"

namespace qm {

constexpr const char* quick_start_usage =
    "usage: qmsim [--map FILE] [--mode stretch|full32|full16|windowed] [--wind random:N | --wind fixed:S:A]\n"
    "             [--drill NAME|FILE [--seed N]] [--history FILE]\n";

struct QuickStart {
    bool requested = false;  // any of the options was given
    ScreenMode mode = ScreenMode::stretch_fullscreen;
    bool wind_given = false;
    RoundSettings round;     // the map (null: the flat map) and the wind
    bool drill_given = false;  // --drill: the round is the drill's (its map and wind)
    DrillRules drill;
    bool seed_given = false;
    std::uint32_t seed = 0;
    const char* history = nullptr;  // --history FILE; null: the default place
};

// Reads --map, --mode, --wind, --drill, --seed and --history (argv[0] is the
// program). Returns false with a one-line reason in error for any other
// argument, a missing value, a bad one, a map file that cannot be used or a
// drill file that does not read ("FILE:LINE: reason").
bool parse_quick_start(int argc, char** argv, QuickStart& choices, std::string& error);

// Once the dialog is initialised: puts the choices into its controls as a
// user would (what is not given keeps the dialog's default) and presses
// Start, without the dialog ever showing.
void quick_start(DialogContext& context, const QuickStart& choices);

}  // namespace qm
