// The temporary files the program writes beside a target before renaming
// them into place (.qm-PID-N.tmp), and the clearing of those a killed
// writer left behind.
#pragma once

#include <string>

namespace qm {

// The temporary file beside a target in folder (empty or ending in a
// separator) for this process's attempt N. Short, so that a target whose
// name is as long as names may be still gets one.
std::string temporary_path(const std::string& folder, int attempt);

// Removes from folder the program's temporaries that are older than an hour
// and whose process has gone (where the platform can tell): a writer killed
// mid-write leaves one, and the next writer in the folder clears it. Other
// files, and anything that cannot be removed, are left as they are.
void remove_stale_temporaries(const std::string& folder);

}  // namespace qm
