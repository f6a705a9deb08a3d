// The progress chart of `qmsim history --plot`: each drill's scores over
// time, one series per drill, its best marked.
#pragma once

#include <string>
#include <vector>

#include "formats/history/history.h"

namespace qm {

// Writes the chart as a PNG beside `path` and renames it into place; false,
// with the reason, when it cannot be written.
bool write_history_plot(const std::vector<HistoryRecord>& records, const char* path, std::string& reason);

}  // namespace qm
