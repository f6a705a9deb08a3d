// What a finished drill round teaches: the hit window at its first shot's
// angle set against that shot, and whether the frame says so. The line
// follows every miss of a first shot; a first-shot hit brings it only while
// the round's band is unknown or below the coach's target rate, so the help
// fades as the player learns.
#pragma once

#include <cstddef>

namespace qm {

struct DrillRoundRecord;
struct CoachSkill;

// The round's first shot is spent and its window known, and the player
// still needs telling (see above); `skill` as it stood before the round.
bool lesson_due(const DrillRoundRecord& round, const CoachSkill& skill);

// "best 1.08 (good 0.83-1.19) at 60; you shot 0.80 (0.28 low)", or
// "out of reach at 60; you shot 0.80" when no power hurt the target.
void round_lesson(const DrillRoundRecord& round, char* text, std::size_t size);

// What the frame says as the round ends: a hit's score ("hit: 207 x 3 =
// 621"), then the lesson when due (" - " between); empty: nothing.
void round_end_notice(const DrillRoundRecord& round, const CoachSkill& skill, char* text, std::size_t size);

}  // namespace qm
