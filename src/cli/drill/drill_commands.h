// The drill subcommands:
//
//   qmsim drills                       the drills there are, one line each
//   qmsim history [--history FILE] [--drill NAME] [--csv] [--plot FILE.png]
#pragma once

#include <cstdio>
#include <string>

namespace qm {

// argv[0] is the subcommand's name. Exit codes: 0 done, 1 output or the
// picture could not be written or the history could not be read, 2 a bad
// option.
int run_drills(int argc, char** argv, std::FILE* out, std::FILE* err);
int run_history(int argc, char** argv, std::FILE* out, std::FILE* err);

// Their usage lines, ended.
std::string drills_usage();
std::string history_usage();

}  // namespace qm
