// Checking the outputs of the command-line tools.
#include "cli/output.h"

#include <cerrno>
#include <cstring>

#include "raster/plain_file.h"

namespace qm {

bool output_flushed(std::FILE* out, std::FILE* err)
{
    if (std::fflush(out) == 0 && std::ferror(out) == 0) return true;
    std::fprintf(err, "qmsim: cannot write to standard output: %s\n", std::strerror(errno));
    return false;
}

std::string same_file_refusal(std::string_view name, const char* output, const std::vector<CommandInput>& inputs)
{
    for (const CommandInput& input : inputs) {
        if (same_file(output, input.path.c_str())) {
            return std::string(name) + " " + output + " and " + input.option + " " + input.path + " are the same file";
        }
    }
    return {};
}

}  // namespace qm
