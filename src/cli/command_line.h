// What qmsim's command line asks for, decided and, short of the desktop, run
// before any platform is touched; both desktop shells start here.
#pragma once

#include <cstdio>
#include <string>

#include "shell/quick_start.h"

namespace qm {

enum class ProgramMode {
    desktop,   // the configuration dialog, or the round the quick-start options choose
    headless,  // --headless anywhere: the headless runner takes the whole line
    table,     // `table` first: the shot table takes the rest
    solve,     // `solve` first: the hit window at each angle
    chart,     // `chart` first: the shot chart takes the rest
    drills,    // `drills` first: the list of drills
    history,   // `history` first: the drill history
    coach,     // `coach` first: the bands, the rating and the weakest
    challenge, // `challenge` first: a drill's challenge code
    controls,  // `controls` first: the bindings in effect
    version,
    help,
    refused,   // error says why
};

struct ProgramRequest {
    ProgramMode mode = ProgramMode::desktop;
    std::string error;
    QuickStart quick;  // desktop only
};

ProgramRequest read_command_line(int argc, char** argv);

// Runs whatever the command line asks for but the desktop. True when the run
// has ended, with its exit code in exit_code; false when the desktop should
// come up, with the quick-start choices in quick.
bool run_command_line(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err, int& exit_code,
                      QuickStart& quick);

}  // namespace qm
