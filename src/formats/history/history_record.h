// A drill session as the history keeps it: the record, its one line of
// JSON, and the figures a drill takes from earlier records.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "formats/history/round_log.h"

namespace qm {

// The history line's layout: 1 before lines kept their rounds, 2 with them
// as one text ("round_log"), 3 with them as named data ("rounds_played"),
// each round with its first shot's hit window.
constexpr int history_format = 3;

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
    int format = 1;  // lines without one are of the first layout
    std::vector<HistoryRound> round_log;  // empty before format 2, or for a later layout's that does not read
    // A coach session's focus band (-1: none, or not the coach's drill) and
    // its estimate as the session began.
    int focus = -1;
    double focus_estimate = 0.0;
    // The coach's rating once the session was added (-1: no band known yet)
    // and the bands known then.
    double rating = -1.0;
    int coverage = 0;
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
// finished sessions) into the drill's figures, and the coach's bands from
// every session's rounds.
void take_history_figures(const std::vector<HistoryRecord>& records, const DrillRules& rules, DrillRun& drill);
// The same a record at a time, as the history is read: the figures cleared
// first, then each record taken in file order.
void clear_history_figures(DrillRun& drill);
void take_history_figure(const HistoryRecord& record, const DrillRules& rules, DrillRun& drill);
// The figures a history gives (bests, chart, the coach's bands and focus)
// from one drill to another.
void copy_history_figures(const DrillRun& from, DrillRun& to);

}  // namespace qm
