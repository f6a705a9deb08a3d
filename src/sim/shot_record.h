// The record of the shot in play: phase 7 of the tick (the projectiles)
// together with what it notes of the main shell's strike and the damage done.
#pragma once

namespace qm {

struct World;
class bot;

// Starts a fresh record as a shot leaves: the last one is forgotten.
void begin_shot_record(World& world);

// Moves the projectiles one tick (the view only places their marks) and adds
// what they did to world.last_impact. Answers whether a shot is in play.
int step_projectiles(World& world, int view_x, int view_y);

// A unit stands still: placed, alive, not falling, not counting down to a
// respawn, with ground under its contact point. The flat map's target, which
// never enters play, counts as still.
bool unit_at_rest(const World& world, const bot& unit);

// Nothing more will happen without input: no fire request pending, the main
// shell at rest (which also stops both secondaries) and both units still.
bool round_at_rest(const World& world);

}  // namespace qm
