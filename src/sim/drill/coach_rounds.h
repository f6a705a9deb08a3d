// The coach's drill: which band each round is drawn from (most from the
// focus band, the weakest the player has, the rest spread over the others,
// the least played first) and a round's distance and wind drawn inside its
// band, the target dropped so that it lands there.
#pragma once

#include "sim/drill/coach_bands.h"

namespace qm {

struct World;
struct DrillRun;

constexpr int coach_focus_tenths = 7;  // of every 10 rounds, from the focus band
// The focus stays until its estimate passes focus_target, or it has been
// the focus for focus_patience sessions without rising.
constexpr int focus_patience = 3;

// The focus of the coach's latest sessions, from the history.
struct FocusMemory {
    int band = no_band;
    int sessions = 0;                // in a row, the latest among them
    double estimate_at_start = 0.0;  // the band's estimate when the first of them began
};

// A finished coach session with this focus (none: a placement session,
// which leaves the memory as it was).
void remember_focus(FocusMemory& memory, int focus, double estimate_at_start);

// The session's focus band: the remembered one while it holds, else the
// weakest known band below the target (no_band when there is none: the
// rounds are then spread, the least played bands first).
int choose_focus(const CoachSkill& skill, const FocusMemory& memory);

// Plans the drill's rounds into drill.plan from its skill and focus, with
// the drill's generator.
void plan_coach_rounds(DrillRun& drill);

// Draws the current round inside its planned band and drops the target so
// that it lands there; false when no column has ground at such a distance
// (the caller then places the round as other drills do).
bool draw_coach_round(World& world);

}  // namespace qm
