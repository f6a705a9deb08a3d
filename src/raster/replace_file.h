// Writing a file whole or not at all: the bytes go to a new file beside the
// target, which is renamed over the target only once it is complete.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace qm {

// Calls write with the open temporary file; write answers false when it
// failed. On any failure the temporary file is removed, the target is left
// as it was, and reason holds the system's word for what went wrong.
bool replace_file(const char* path, const std::function<bool(std::FILE*)>& write, std::string& reason);

}  // namespace qm
