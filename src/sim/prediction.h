// Landing prediction and power finder: shots fired on the side by the shot
// probe, which runs the round's own flight, collision and impact code on a
// private copy, so a prediction and the shot it predicts never disagree.
// The probe (SideShots) is made once, when an aid that needs it is first
// switched on; syncing it and firing it never allocate.
#pragma once

#include "sim/shot_result.h"

namespace qm {

struct World;
class ShotProbe;
class SideShots;

// The aim of a shot: angle, power and facing.
struct Aim {
    double angle = 0.0;
    double power = 0.0;
    int direction = 1;

    bool operator==(const Aim&) const = default;
};

constexpr int finder_powers = 401;          // powers 0.00 to 4.00 in steps of 0.01
constexpr double finder_steps_per_unit = 100.0;  // power k is k / 100, as the value 0.0k reads
// Powers tried per tick: a whole search (some 20 ms of shots on hills.bmp)
// spread over seven ticks keeps each tick's share near 3 ms.
constexpr int finder_slice = 64;

// The aids' one rule for the power to use: of shots fired at one angle and
// facing, the one whose main shell strikes nearest the target's contact
// point (straight-line distance; the lowest power wins a tie). The power
// finder applies it to every power from 0.00 to 4.00, the aim chart to the
// powers it drew, so the two point to the same shot or to neighbours.
class NearestStrike {
public:
    NearestStrike() = default;
    NearestStrike(int target_x, int target_y) : target_x_(target_x), target_y_(target_y) {}

    // Keeps shot `index` if its strike lies nearer the target than the best
    // so far; shots are offered lowest power first.
    void consider(int index, const ShotResult& shot);

    int best() const { return best_; }  // -1 while no shot has struck
    // Whether the best shot hurts the target at all.
    bool reaches() const { return best_damage_ > 0; }

private:
    int target_x_ = 0;
    int target_y_ = 0;
    int best_ = -1;
    long long best_distance_ = 0;
    int best_damage_ = 0;
};

// The search for the power whose main shell strikes nearest the target's
// contact point at a given angle and facing.
class PowerSearch {
public:
    void start(const Aim& aim, int target_x, int target_y);
    // Tries up to count more powers on the probe; answers whether the search
    // is complete.
    bool step(ShotProbe& probe, int count);

    bool done() const { return next_ == finder_powers; }
    const Aim& aim() const { return aim_; }
    // Once done: whether the best shot hurts the target at all, and its power.
    bool reaches() const { return nearest_.reaches(); }
    double power() const { return nearest_.best() / finder_steps_per_unit; }

private:
    Aim aim_;
    int next_ = finder_powers;
    NearestStrike nearest_;
};

// What the prediction shows this tick.
struct PredictionView {
    bool strike_known = false;  // a mark where the main shell would strike
    int strike_x = 0;
    int strike_y = 0;
    bool searching = false;     // the power finder is still at work
    bool power_known = false;   // the finder's power reaches the target
    double power = 0.0;
};

class Prediction {
public:
    // One tick's work while the prediction is shown and the round stands
    // still, on probe shots already following the round: the strike
    // predicted again when the aim or the scene (the probe's generation) has
    // changed, and the power finder carried one slice further.
    void update(const World& round, SideShots& shots);
    // Shows nothing until the next update.
    void hide() { shown_ = false; }

    PredictionView view() const;

private:
    bool shown_ = false;
    long long generation_ = -1;  // of the probe shots the answers were worked out on
    Aim aim_;
    bool predicted_ = false;
    ShotResult strike_;
    PowerSearch search_;
};

}  // namespace qm
