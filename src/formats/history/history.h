// The drill history: one JSON line per session, appended to a file the
// user keeps, read back for bests, charts and `qmsim history`.
//
// Appending never damages earlier lines: each line is one write of the whole
// line, synced to the disk (a new file's folder too), and the file is never
// rewritten; a write that fails is cut back off, so the file keeps every
// byte it had. A line torn by a crash, a foreign one or one whose values are
// out of their ranges is skipped when read, with a warning, and left where
// it is. The history is a plain file, or a link to one.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "formats/history/history_record.h"

namespace qm {

// Where the history goes by default: $XDG_DATA_HOME/qmsim/history.jsonl
// (~/.local/share/qmsim/ without it; %APPDATA%\qmsim\ on Windows). False,
// with the reason, when the environment names no such place.
bool default_history_path(std::string& path, std::string& reason);

// Appends one line, making the folder if needed; false with the reason, the
// file then as it was.
bool append_history(const std::string& path, const HistoryRecord& record, std::string& reason);
// The same for a line as read from another history, its line break
// included: every byte of it kept, fields this version does not know too.
bool append_history_line(const std::string& path, const std::string& line, std::string& reason);

struct HistoryContents {
    std::vector<HistoryRecord> records;  // in file order, without their rounds (read_history_each has them)
    std::vector<long> skipped;           // numbers of the lines that are not records
};

// Reads the whole file; a file that is not there reads as empty. False,
// with the reason, when anything else is there or it cannot be read (a
// device, a link loop, a folder on the way that is a file, a read error).
bool read_history(const std::string& path, HistoryContents& contents, std::string& reason);

// Reads the file a line at a time, handing each record to take as it is
// read (take may move it away) and adding the numbers of the lines that are
// not records to skipped; otherwise as read_history.
using HistoryVisit = std::function<void(HistoryRecord& record)>;
bool read_history_each(const std::string& path, const HistoryVisit& take, std::vector<long>& skipped,
                       std::string& reason);

// The same with each record's line as read (without its line break); take
// returns false to stop, and the read is then false with reason as take
// left it.
using HistoryLineVisit = std::function<bool(HistoryRecord& record, const std::string& line)>;
bool read_history_lines(const std::string& path, const HistoryLineVisit& take, std::vector<long>& skipped,
                        std::string& reason);

// The warning for skipped lines, one line naming them; empty when none was.
std::string skipped_warning(const std::string& path, const std::vector<long>& skipped);

}  // namespace qm
