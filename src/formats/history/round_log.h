// The rounds of a drill session as its history line keeps them: one text
// of rounds separated by ';', each its measured geometry, its band, whether
// its angle was fixed or an aid was shown, the coach's prediction, its first
// shot's hit window, and its shots (docs/coach.md gives the layout).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/drill/drill_rules.h"

namespace qm {

struct CoachSkill;
struct DrillRun;

struct HistoryShot {
    double angle = 0.0;
    double power = 0.0;
    int damage = 0;
    bool struck = false;  // false: the main shell struck nothing (its miss is not known)
    int miss = 0;         // signed: negative short, positive long
};

struct HistoryRound {
    int distance = 0;  // contact point to contact point once both landed, pixels
    int side = 1;      // 1 the target right of the player, -1 left
    int wind = 0, wang = 0;
    int along = 0;     // wind along the shot, positive towards the target
    int band = -1;     // no_band outside the bands
    bool angle_fixed = false;
    bool assisted = false;
    double predicted = 0.0;  // the first-shot hit chance given before the round's first shot
    // The hit window at the first shot's angle and facing (layout 3 on):
    // unknown before, or when the shot left before the target landed.
    bool window_known = false;
    bool window_reaches = false;
    double best = 0.0, low = 0.0, high = 0.0;
    int shots = 0;
    HistoryShot shot[drill_max_shots];

    bool first_shot_hit() const { return shots > 0 && shot[0].damage > 0; }
    bool hit() const;
};

// Whether a round counts in its band: in one, with no aid shown.
bool counts_in_band(const HistoryRound& round);
// Adds the session's counted rounds to the skill, in order.
void add_rounds(CoachSkill& skill, const std::vector<HistoryRound>& rounds);

// The finished rounds of a drill (each with a shot fired and measured).
std::vector<HistoryRound> history_rounds(const DrillRun& drill);

// In the layout of history_format.
std::string format_round_log(const std::vector<HistoryRound>& rounds);
// A log of layout `format` (2, or 3 with each round's window); false for a
// text that is not such a log, or holds a value out of range.
bool parse_round_log(std::string_view text, int format, std::vector<HistoryRound>& rounds);

}  // namespace qm
