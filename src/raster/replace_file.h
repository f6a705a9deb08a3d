// Writing a file whole or not at all: the bytes go to a new file beside the
// target, which is renamed over the target only once it is complete. A
// symbolic link is followed to the file it leads to, which is replaced the
// same way beside itself; a folder, a device or a pipe is never replaced.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace qm {

// Calls write with the open temporary file; write answers false when it
// failed. On any failure the temporary file is removed, the target is left
// as it was, and reason holds the system's word for what went wrong, "Is a
// directory", or "not a plain file" (a device, a pipe or a socket).
// Temporaries a killed writer left in the folder (older than an hour, their
// process gone) are removed first.
bool replace_file(const char* path, const std::function<bool(std::FILE*)>& write, std::string& reason);

}  // namespace qm
