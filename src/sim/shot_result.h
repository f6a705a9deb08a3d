// What one shot did: where the main shell first struck and what the shot's
// three shells cost each unit. The round keeps one for its last shot; the
// shot probe answers with one.
#pragma once

namespace qm {

struct ShotResult {
    bool struck = false;   // false until the main shell strikes (or if it never did within a probe's limit)
    int x = 0, y = 0;      // world coordinates of the main shell's first strike
    int dx = 0, dy = 0;    // its offset from the launch point: right and up are positive, as the HUD shows it
    int flight_ticks = 0;  // ticks from launch to that strike (counting while the shell flies)
    int target_damage = 0, player_damage = 0;  // hit points lost by each unit to this shot's three shells
    long long tick = 0;    // the world's tick in which the main shell struck
};

}  // namespace qm
