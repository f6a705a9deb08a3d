// What qmsim's command line asks for, decided before any platform is touched.
#pragma once

#include <string>

#include "shell/quick_start.h"

namespace qm {

enum class ProgramMode {
    desktop,   // the configuration dialog, or the round the quick-start options choose
    headless,  // --headless anywhere: the headless runner takes the whole line
    table,     // `table` first: the shot table takes the rest
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

}  // namespace qm
