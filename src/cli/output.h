// The outputs of the command-line tools: nothing on the standard output
// counts as written until it is flushed without error, and no file a
// command writes may be a file the same command reads.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Flushes out; false, with one line on err giving the system's reason, when
// anything written to it did not get out (a full disk, a closed pipe).
bool output_flushed(std::FILE* out, std::FILE* err);

// A file a command reads, as its option names it.
struct CommandInput {
    std::string option;  // "--map"
    std::string path;
};

// Why `output`, given as `name` ("--plot", "frame"), may not be written:
// "NAME OUTPUT and OPTION PATH are the same file" for the first input it is
// (by identity, through any links, however spelled), so that nothing a
// command reads is replaced by what it writes; empty when it is none.
std::string same_file_refusal(std::string_view name, const char* output, const std::vector<CommandInput>& inputs);

}  // namespace qm
