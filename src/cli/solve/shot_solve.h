// The solver: the hit window at each angle of a list, from the player's spot
// once both units have first landed, printed as CSV, a row per angle; the
// shot table's answer without reading its 401 rows.
//
//   qmsim solve [--map FILE] [--wind fixed:S:A] [--facing left|right]
//               [--angle A | --angle FROM:TO:STEP] [--threads N]
#pragma once

#include <cstdio>
#include <string>

#include "cli/grid_axis.h"
#include "shell/round_setup.h"

namespace qm {

struct SolveOptions {
    RoundSettings round;  // fixed wind only
    int direction = 1;
    GridAxis angles;
    int threads = 0;  // 0: one a core
    bool help = false;
};

// Reads the command line after the word `solve` (argv[0] is `solve`).
// Returns false with a one-line reason in error for a bad option.
bool parse_solve_options(int argc, char** argv, SolveOptions& options, std::string& error);

// The usage line, ended.
std::string solve_usage();

// Runs `qmsim solve`. Exit codes: 0 when the rows are written, 1 when the
// output cannot be written, 2 for a bad command line, an unusable map or
// units that do not come to rest.
int run_solve(int argc, char** argv, std::FILE* out, std::FILE* err);

}  // namespace qm
