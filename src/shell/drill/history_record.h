// A drill session as the history keeps it: the record, its one line of
// JSON, and the figures a drill takes from earlier records.
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
    bool challenge = false;  // played from a challenge code: a series of its own (written only when true)
};

std::string digest_text(std::uint64_t digest);

// What the history's summary and plot call a record's series: the drill's
// name, and for a challenge "NAME (challenge DIGEST8)", apart from the
// player's own sessions of that drill.
std::string series_name(const HistoryRecord& record);

// The record of a drill as it stands (finished, or abandoned after its
// rounds so far), stamped with `when`.
HistoryRecord history_record(const DrillRun& drill, bool abandoned, std::time_t when, const char* version);

// One line of JSON, its line break included.
std::string format_history_line(const HistoryRecord& record);
// False for anything but such a line (without its line break).
bool parse_history_line(std::string_view line, HistoryRecord& record);

// The personal best and the last scores of this drill (same digest,
// finished sessions) into the drill's figures.
void take_history_figures(const std::vector<HistoryRecord>& records, const DrillRules& rules, DrillRun& drill);

}  // namespace qm
