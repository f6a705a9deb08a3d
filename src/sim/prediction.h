// Landing prediction and power finder (the hit window at the aim's angle and
// facing): shots fired on the side by the shot probe, which runs the round's
// own flight, collision and impact code on a private copy, so a prediction
// and the shot it predicts never disagree.
// The probe (SideShots) is made once, when an aid that needs it is first
// switched on; syncing it and firing it never allocate.
#pragma once

#include "sim/hit_window.h"
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

// What the prediction shows this tick.
struct PredictionView {
    bool strike_known = false;  // a mark where the main shell would strike
    int strike_x = 0;
    int strike_y = 0;
    bool searching = false;     // the power finder is still at work
    HitWindow window;           // once it is done: the hit window at the aim's angle and facing
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
    WindowSearch search_;
};

}  // namespace qm
