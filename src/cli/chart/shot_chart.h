// `qmsim chart`: the shot chart as a picture, optionally as CSV, and its rule
// of thumb on standard output.
#pragma once

#include <cstdio>

namespace qm {

// Runs `qmsim chart` (argv[0] is `chart`). Exit codes: 0 when everything is
// written, 1 when a file or the output cannot be written (that file is left
// as it was), 2 for a bad command line, an unusable map or units that do not
// come to rest.
int run_chart(int argc, char** argv, std::FILE* out, std::FILE* err);

}  // namespace qm
