// The configuration dialog's procedure: fills the controls, keeps radio
// buttons and lists consistent, and on Start applies the display mode, the
// surfaces, the wind settings and the map choice.
#pragma once

#include <string>

#include "sim/world.h"
#include "shell/dialog/dialog_template.h"
#include "shell/display_modes.h"
#include "shell/platform.h"

namespace qm {

// Control ids of the dialog template.
enum : int {
    IDC_STRETCH_FULLSCREEN = 1001,
    IDC_FULLSCREEN_32 = 1002,
    IDC_FULLSCREEN_16 = 1003,
    IDC_WINDOWED = 1004,
    IDC_MAP_GROUP = 1005,
    IDC_START = 1006,
    IDC_MAP_LIST = 1007,
    IDC_STATUS = 1008,
    IDC_DISPLAY_GROUP = 1009,
    IDC_EXIT = 1010,
    IDC_OPTIONS_GROUP = 1011,
    IDC_RANDOM_WIND = 1012,
    IDC_FIXED_WIND = 1013,
    IDC_WIND_LIST = 1014,
    IDC_ANGLE_LIST = 1015,
    IDC_WIND_LABEL = 1016,
    IDC_ANGLE_LABEL = 1017,
    IDC_EVERY_LABEL = 1018,
    IDC_TURNS_LABEL = 1019,
    IDC_TURNS_LIST = 1020,
};

// Notification codes of a command: a click, or a key from the accelerator
// table (drop-down lists report a selection change with the same code 1).
enum : unsigned {
    BN_CLICKED = 0,
    NOTIFY_ACCELERATOR = 1,
    CBN_SELCHANGE = 1,
};

// Accelerator commands.
enum : unsigned {
    CMD_START = 1,
    CMD_EXIT = 2,
};

constexpr const char* flat_map_entry = "Flat map";

struct DialogContext {
    World& world;
    Dialog& dialog;
    Desktop& desktop;
    Display& display;
};

// Returns 1 for WM_INITDIALOG and 0 for everything else.
int DialgProc(DialogContext& context, unsigned message, WPARAM wparam, LPARAM lparam);

// Show the main window, start its tick timer, make what the practice aids
// need and mark the simulator as running: the end of both the flat-map
// start and a completed terrain build.
void start_ticking(World& world, Desktop& desktop);

// True when the template holds every control the procedure works with;
// otherwise names the first missing one in `error`.
bool check_dialog_controls(const Dialog& dialog, std::string& error);

}  // namespace qm
