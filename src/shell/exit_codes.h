// The program's exit codes, the same for every command and every shell.
#pragma once

namespace qm {

constexpr int exit_ok = 0;
// A file, the standard output or the display could not be used, or the
// default history could not be read.
constexpr int exit_failed = 1;
// A bad option, an unusable map or input file, or a bad script line.
constexpr int exit_bad_input = 2;

}  // namespace qm
