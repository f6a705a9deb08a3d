// The standard output of the command-line tools: nothing counts as written
// until it is flushed without error.
#pragma once

#include <cstdio>

namespace qm {

// Flushes out; false, with one line on err giving the system's reason, when
// anything written to it did not get out (a full disk, a closed pipe).
bool output_flushed(std::FILE* out, std::FILE* err);

}  // namespace qm
