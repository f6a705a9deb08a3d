// Where a drill's target can stand: columns of the field with ground under
// them, the bare ones found once when the drill begins.
#pragma once

namespace qm {

struct World;

// Whether a target may drop at x: a bare column is known to have no ground
// without looking down it.
bool can_stand(const World& world, int x);
// The column with ground nearest to x; x itself when the map has none.
int nearest_ground(const World& world, int x);
// Marks the columns with no ground (the drill's bare_columns).
void find_bare_columns(World& world);

}  // namespace qm
