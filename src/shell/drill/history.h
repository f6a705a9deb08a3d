// The drill history: one JSON line per session, appended to a file the
// user keeps, read back for bests, charts and `qmsim history`.
//
// Appending never damages earlier lines: each line is one write of the whole
// line, synced to the disk, and the file is never rewritten. A torn line (a
// crash or a full disk mid-write) or a foreign one is skipped when read,
// with a warning, and left where it is.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

struct DrillRun;
struct DrillRules;

struct HistoryRecord {
    std::string time;    // UTC, ISO 8601: 2026-12-07T21:03:04Z
    std::string drill;   // its name
    std::string digest;  // of its settings, 16 hex digits
    std::uint32_t seed = 0;
    int rounds = 0;      // the drill's
    int played = 0;      // rounds finished
    int hits = 0;
    int first_shot_hits = 0;
    int shots = 0;
    long long damage = 0;
    long long score = 0;
    double mean_miss = 0.0;
    bool assisted = false;
    bool abandoned = false;
    std::string version;
};

// Where the history goes by default: $XDG_DATA_HOME/qmsim/history.jsonl
// (~/.local/share/qmsim/ without it; %APPDATA%\qmsim\ on Windows). False,
// with the reason, when the environment names no such place.
bool default_history_path(std::string& path, std::string& reason);

std::string digest_text(std::uint64_t digest);

// The record of a drill as it stands (finished, or abandoned after its
// rounds so far), stamped with `when`.
HistoryRecord history_record(const DrillRun& drill, bool abandoned, std::time_t when, const char* version);

// One line of JSON, its line break included.
std::string format_history_line(const HistoryRecord& record);
// False for anything but such a line (without its line break).
bool parse_history_line(std::string_view line, HistoryRecord& record);

// Appends one line, making the folder if needed; false with the reason.
bool append_history(const std::string& path, const HistoryRecord& record, std::string& reason);

struct HistoryContents {
    std::vector<HistoryRecord> records;  // in file order
    std::vector<long> skipped;           // numbers of the lines that are not records
};

// Reads the whole file; a file that is not there reads as empty. False,
// with the reason, when it cannot be read.
bool read_history(const std::string& path, HistoryContents& contents, std::string& reason);

// The warning for skipped lines, one line naming them; empty when none was.
std::string skipped_warning(const std::string& path, const std::vector<long>& skipped);

// The personal best and the last scores of this drill (same digest,
// finished sessions) into the drill's figures.
void take_history_figures(const std::vector<HistoryRecord>& records, const DrillRules& rules, DrillRun& drill);

}  // namespace qm
