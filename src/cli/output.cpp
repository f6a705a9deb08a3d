// Checking the standard output of the command-line tools.
#include "cli/output.h"

#include <cerrno>
#include <cstring>

namespace qm {

bool output_flushed(std::FILE* out, std::FILE* err)
{
    if (std::fflush(out) == 0 && std::ferror(out) == 0) return true;
    std::fprintf(err, "qmsim: cannot write to standard output: %s\n", std::strerror(errno));
    return false;
}

}  // namespace qm
