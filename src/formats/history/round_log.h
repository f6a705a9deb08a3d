// The rounds of a drill session as its history line keeps them: each its
// measured geometry, its band, whether its angle was fixed or an aid was
// shown, the coach's prediction, its first shot's hit window, and its shots.
// Lines of the second layout hold them as one text of rounds separated by
// ';' (docs/coach.md gives it), read here; later lines as named data
// (rounds_played.h).
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
    int number = 1;    // the round's place in the drill, from 1
    int distance = 0;  // contact point to contact point once both landed, pixels
    int side = 1;      // 1 the target right of the player, -1 left
    int wind = 0, wang = 0;
    int along = 0;     // wind along the shot, positive towards the target
    int band = -1;     // no_band outside the bands
    bool angle_fixed = false;
    bool assisted = false;
    double predicted = 0.0;  // the first-shot hit chance given before the round's first shot
    // The hit window at the first shot's angle and facing (named rounds only):
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
// Checks the band written against the rule it was written under (the wind
// along the ground, before the bands measured the wind's effect, or today's)
// and puts the round in today's; false when it is neither.
bool take_band(HistoryRound& round);
// Adds the session's counted rounds to the skill, in order.
void add_rounds(CoachSkill& skill, const std::vector<HistoryRound>& rounds);

// The rounds a drill's line counts as played: every round once it is
// finished; when it is left, those finished and the one left after a shot.
int rounds_played(const DrillRun& drill);
// Those rounds (each with a shot fired and measured).
std::vector<HistoryRound> history_rounds(const DrillRun& drill);

std::string format_round_log(const std::vector<HistoryRound>& rounds);
// False for a text that is not such a log, or holds a value out of range.
bool parse_round_log(std::string_view text, std::vector<HistoryRound>& rounds);

}  // namespace qm
