// The challenge command:
//
//   qmsim challenge NAME|FILE [--seed N] [--score S] [--name TEXT]
//
// prints the challenge code of a drill drawn with a seed (a fresh one
// without --seed), with a score to beat and who set it when given.
#pragma once

#include <cstdio>
#include <string>

namespace qm {

// argv[0] is the subcommand's name. Exit codes: 0 printed; 1 the output
// could not be written; 2 a bad option, a drill that does not read, or one
// a code cannot hold.
int run_challenge(int argc, char** argv, std::FILE* out, std::FILE* err);

// Its usage line, ended.
std::string challenge_usage();

}  // namespace qm
