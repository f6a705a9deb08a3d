// The desktop's command line: the round's choices that skip the
// configuration dialog.
//
//   qmsim [--map FILE] [--mode stretch|full32|full16|windowed] [--wind random:N | --wind fixed:S:A]
//         [--drill NAME|FILE [--seed N]] [--challenge CODE|PACK] [--history FILE]
#pragma once

#include <string>

#include "shell/quick_start.h"

namespace qm {

// Reads --map, --mode, --wind, --drill, --seed, --challenge and --history (argv[0] is the
// program). Returns false with a one-line reason in error for any other
// argument, a missing value, a bad one, a map file that cannot be used or a
// drill file that does not read ("FILE:LINE: reason"), and then the usage
// line (without its end) in usage.
bool parse_quick_start(int argc, char** argv, QuickStart& choices, std::string& error, std::string& usage);

// The usage line, ended.
std::string quick_start_usage();

}  // namespace qm
