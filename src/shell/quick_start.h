// Quick start: the desktop program started with its round's choices on the
// command line (read by cli/quick_start_options.h) skips the configuration
// dialog. The controls and the quiet start come from the command line too,
// but alone keep the dialog.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/controls/controls_file.h"
#include "shell/dialog/dialog_procedure.h"
#include "shell/round_setup.h"
#include "sim/drill/drill_rules.h"

namespace qm {

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
    ControlsFile controls;    // --controls FILE, or the default file, read and checked
    bool quiet_start = false;  // --quiet-start: no word of the help in the first frames
};

// A display mode by its option name: stretch, full32, full16 or windowed.
bool parse_screen_mode(std::string_view name, ScreenMode& mode);
// The names, as a usage shows them ("stretch|full32|...") and as a message
// lists them ("stretch, full32, full16 or windowed").
std::string screen_mode_forms();
std::string screen_mode_list();

// Once the dialog is initialised: puts the choices into its controls as a
// user would (what is not given keeps the dialog's default) and presses
// Start, without the dialog ever showing.
void quick_start(DialogContext& context, const QuickStart& choices);

}  // namespace qm
