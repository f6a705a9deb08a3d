// The practice score: shots fired, shots that hurt the target, kills and
// damage since the start, and the panel that shows them.
#pragma once

namespace qm {

struct World;

struct PracticeScore {
    int shots = 0;           // shots fired
    int damaging_shots = 0;  // shots whose shells took hit points off the target
    int kills = 0;           // times the target's hit points reached 0
    long long total_damage = 0;
    int best_damage = 0;     // the most one shot took off the target
    // Bookkeeping between ticks.
    int shot_damage = 0;     // what the current shot took so far
    int target_hp = 0;       // the target's hit points at the end of the last tick
};

// Accounts for one finished tick; fired tells whether a shot left in it.
// Every loss of the target's hit points is the current shot's doing: nothing
// else hurts it.
void score_tick(PracticeScore& score, const World& world, bool fired);

// Shots that hurt the target, as a percentage of shots fired (0 before the
// first shot).
double accuracy(const PracticeScore& score);

constexpr int score_lines = 3;
constexpr int score_line_size = 48;

void format_score(const PracticeScore& score, char (&lines)[score_lines][score_line_size]);

}  // namespace qm
