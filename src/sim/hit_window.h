// The hit window: the one rule every aid, drill and tool uses for which power
// hits. At one angle and facing, every power 0.00 to 4.00 (steps of 0.01) is
// fired on the shot probe; the best power is the one that costs the target
// most (the lowest on a tie), and the window is the run of neighbouring
// powers around it each costing the target at least half that, which says
// how much room the shot leaves.
#pragma once

#include "sim/shot_result.h"

namespace qm {

class ShotProbe;

constexpr int finder_powers = 401;               // powers 0.00 to 4.00 in steps of 0.01
constexpr double finder_steps_per_unit = 100.0;  // power k is k / 100, as the value 0.0k reads
// Powers tried per tick: a whole search (some 20 ms of shots on hills.bmp)
// spread over seven ticks keeps each tick's share near 3 ms.
constexpr int finder_slice = 64;

// The answer at one angle and facing. Powers are kept as rungs of the ladder
// they were read from (rung k is power k / steps_per_unit), so answers
// compare exactly.
struct HitWindow {
    bool reaches = false;  // some power costs the target hit points
    int best = 0;          // the rung costing the target most, the lowest on a tie
    int best_damage = 0;
    int low = 0;           // the window's ends, best included
    int high = 0;
    double steps_per_unit = finder_steps_per_unit;

    double best_power() const { return best / steps_per_unit; }
    double low_power() const { return low / steps_per_unit; }
    double high_power() const { return high / steps_per_unit; }

    bool operator==(const HitWindow&) const = default;
};

// Reads the window from the target's damage at each rung of a ladder, lowest
// power first; out of reach when none is above 0.
HitWindow window_of(const int* damage, int count, double steps_per_unit);
HitWindow window_of(const ShotResult* shots, int count, double steps_per_unit);

// The search over ticks: every power 0.00 to 4.00 at one angle and facing,
// a slice at a time on the probe, never allocating.
class WindowSearch {
public:
    void start(double angle, int direction);
    // Fires up to count more powers on the probe; answers whether the search
    // is complete.
    bool step(ShotProbe& probe, int count);

    bool done() const { return next_ == finder_powers; }
    double angle() const { return angle_; }
    int direction() const { return direction_; }
    // Once done: the answer.
    const HitWindow& window() const { return window_; }

private:
    double angle_ = 0.0;
    int direction_ = 0;
    int next_ = finder_powers;
    int damage_[finder_powers] = {};
    HitWindow window_;
};

// The whole search at once, for a round the probe is synced to.
HitWindow find_window(ShotProbe& probe, double angle, int direction);

}  // namespace qm
