// The options both desktop shells take before any window exists: --headless
// runs the headless runner, --version and --help print and end, anything
// else is refused.
#pragma once

#include <cstdio>

namespace qm {

// True when the command line has run to its end, with the exit code in
// exit_code; false when the desktop should come up.
bool run_command_line(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err, int& exit_code);

}  // namespace qm
