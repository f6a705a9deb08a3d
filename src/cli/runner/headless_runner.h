// The headless runner: the simulator without a window, driven by a script of
// ticks, key presses and pointer moves, printing the state and writing frames.
//
//   qmsim --headless [--map FILE] [--wind random:N | --wind fixed:S:A] [--script FILE]
//                    [--drill NAME|FILE [--seed N]] [--challenge CODE|PACK] [--history FILE]
//                    [--controls FILE]
#pragma once

#include <cstdio>
#include <string>

#include "cli/drill_options.h"
#include "shell/round_setup.h"

namespace qm {

struct HeadlessOptions : RoundSettings {
    HeadlessOptions() { wind_change_turn = default_wind_change_turn; }

    const char* script = nullptr;  // null: read the script from the input stream
    bool help = false;
    bool wind_given = false;
    DrillOptions drill;  // only with --history is a history read and written
    const char* controls = nullptr;  // --controls FILE; null: the preset of a missing file
};

// Reads the command line (argv[0] is the program). Returns false with a
// one-line reason in error when an option is unknown or a value is bad.
bool parse_headless_options(int argc, char** argv, HeadlessOptions& options, std::string& error);

// The runner's options as a table, for refusals and help, and its usage.
Command headless_command(HeadlessOptions& options);
std::string headless_usage();

// Runs the whole headless session. Exit codes: 0 when the script ends or
// quits, 1 when a frame, the standard output or a drill's history line
// cannot be written (the script still runs to its end for the last), 2 for
// a bad command line, an unusable map, drill or history, an unreadable
// script, a bad script line or a frame onto a file the run reads.
int run_headless(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace qm
