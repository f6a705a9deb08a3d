// The line a finished drill round teaches, and when it is shown.
#include "sim/drill/round_lesson.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sim/drill/coach_bands.h"
#include "sim/drill/drill_run.h"

namespace qm {

namespace {

// A power in hundredths, as the window's steps are.
long hundredths(double power) { return std::lround(power * 100.0); }

// A band the player is known to hit at or above the target rate.
bool band_learnt(int band, const CoachSkill& skill)
{
    if (band == no_band || !skill.bands[band].known()) return false;
    return skill.estimate(band) >= focus_target;
}

}  // namespace

bool lesson_due(const DrillRoundRecord& round, const CoachSkill& skill)
{
    if (round.shots == 0 || !round.window_known) return false;
    const bool first_hit = round.shot[0].damage > 0;
    return !first_hit || !band_learnt(round.measured ? round.band : no_band, skill);
}

void round_lesson(const DrillRoundRecord& round, char* text, std::size_t size)
{
    const DrillShotRecord& first = round.shot[0];
    const long angle = std::lround(first.angle);
    const long shot = hundredths(first.power);
    if (!round.window_reaches) {
        std::snprintf(text, size, "out of reach at %ld; you shot %ld.%02ld", angle, shot / 100, shot % 100);
        return;
    }
    const long best = hundredths(round.best), low = hundredths(round.low), high = hundredths(round.high);
    const long off = best - shot;
    char how[32];
    if (off == 0) {
        std::snprintf(how, sizeof how, "the best");
    } else {
        const long by = std::labs(off);
        std::snprintf(how, sizeof how, "%ld.%02ld %s", by / 100, by % 100, off > 0 ? "low" : "high");
    }
    std::snprintf(text, size, "best %ld.%02ld (good %ld.%02ld-%ld.%02ld) at %ld; you shot %ld.%02ld (%s)", best / 100,
                  best % 100, low / 100, low % 100, high / 100, high % 100, angle, shot / 100, shot % 100, how);
}

void round_end_notice(const DrillRoundRecord& round, const CoachSkill& skill, char* text, std::size_t size)
{
    text[0] = '\0';
    if (round.hit) {
        const long long factor = round.points / round.damage;
        std::snprintf(text, size, "hit: %d x %lld = %lld", round.damage, factor, round.points);
    }
    if (!lesson_due(round, skill)) return;
    std::size_t at = std::strlen(text);
    if (at > 0 && at + 3 < size) {
        std::snprintf(text + at, size - at, " - ");
        at += 3;
    }
    if (at < size) round_lesson(round, text + at, size - at);
}

}  // namespace qm
