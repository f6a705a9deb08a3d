// The drill subcommands:
//
//   qmsim drills                       the drills there are, one line each
//   qmsim history [--history FILE] [--drill NAME] [--csv] [--rounds | --codes] [--plot FILE.png] [--import FILE]
#pragma once

#include <cstdio>
#include <string>

namespace qm {

// argv[0] is the subcommand's name. Exit codes: 0 done; 1 the output or the
// picture could not be written, the default history cannot be read, or an
// imported session could not be appended; 2 a bad option, a history named
// by --history or an --import file that cannot be read, or a picture onto
// the history or an import from it.
int run_drills(int argc, char** argv, std::FILE* out, std::FILE* err);
int run_history(int argc, char** argv, std::FILE* out, std::FILE* err);

// Their options read and checked, without running them; false with the
// reason.
bool read_drills_options(int argc, char** argv, std::string& error);
bool read_history_options(int argc, char** argv, std::string& error);

// Their usage lines, ended.
std::string drills_usage();
std::string history_usage();

}  // namespace qm
