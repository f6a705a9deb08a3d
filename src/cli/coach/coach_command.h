// The coach on the command line:
//
//   qmsim coach [--history FILE] [--csv] [--plot FILE.png] [--calibration]
#pragma once

#include <cstdio>
#include <string>

namespace qm {

// argv[0] is "coach". Exit codes as `qmsim history`'s: 0 done; 1 the output
// could not be written or the default history cannot be read; 2 a bad
// option, a history named by --history that cannot be read, or a picture
// onto the history. The picture cannot be written: 1.
int run_coach(int argc, char** argv, std::FILE* out, std::FILE* err);
bool read_coach_options(int argc, char** argv, std::string& error);
std::string coach_usage();

}  // namespace qm
