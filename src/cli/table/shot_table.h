// The shot table: for every angle and power of a grid, where the shot lands
// and what it costs the target, from the player's spot once both units have
// first landed, printed as CSV.
//
//   qmsim table [--map FILE] [--wind fixed:S:A] [--facing left|right]
//               [--angle A | --angle FROM:TO:STEP] [--power FROM:TO:STEP] [--threads N]
#pragma once

#include <cstdio>
#include <string>

#include "cli/grid_axis.h"
#include "cli/options.h"
#include "shell/round_setup.h"

namespace qm {

struct TableOptions {
    RoundSettings round;  // fixed wind only
    int direction = 1;
    GridAxis angles;
    GridAxis powers;
    int threads = 0;  // 0: one a core
    bool help = false;
};

// Reads the command line after the word `table` (argv[0] is `table`).
// Returns false with a one-line reason in error for a bad option.
bool parse_table_options(int argc, char** argv, TableOptions& options, std::string& error);

// The usage line, ended.
std::string table_usage();

// Runs `qmsim table`. Exit codes: 0 when the table is written, 1 when the
// output cannot be written, 2 for a bad command line, an unusable map or
// units that do not come to rest.
int run_table(int argc, char** argv, std::FILE* out, std::FILE* err);

}  // namespace qm
