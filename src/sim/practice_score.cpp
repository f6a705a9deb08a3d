// Counting the practice score from what each tick did to the target.
#include "sim/practice_score.h"

#include <algorithm>
#include <cstdio>

#include "sim/world.h"

namespace qm {

void score_tick(PracticeScore& score, const World& world, bool fired)
{
    if (fired) {
        ++score.shots;
        score.shot_damage = 0;
    }
    // A placement raises the hit points; only losses count.
    const int hp = world.target1.hp;
    if (hp < score.target_hp && score.shots > 0) {
        if (score.shot_damage == 0) ++score.damaging_shots;
        score.shot_damage += score.target_hp - hp;
        score.total_damage += score.target_hp - hp;
        score.best_damage = std::max(score.best_damage, score.shot_damage);
        if (hp == 0) ++score.kills;
    }
    score.target_hp = hp;
}

double accuracy(const PracticeScore& score)
{
    return score.shots == 0 ? 0.0 : 100.0 * score.damaging_shots / score.shots;
}

void format_score(const PracticeScore& score, char (&lines)[score_lines][score_line_size])
{
    std::snprintf(lines[0], score_line_size, "shots: %d hits: %d kills: %d", score.shots, score.damaging_shots,
                  score.kills);
    std::snprintf(lines[1], score_line_size, "accuracy: %.0f%%", accuracy(score));
    std::snprintf(lines[2], score_line_size, "damage: %lld best: %d", score.total_damage, score.best_damage);
}

}  // namespace qm
