// The landing prediction and the power finder over the shot probe.
#include "sim/prediction.h"

#include <algorithm>

#include "sim/shot_engine.h"
#include "sim/shot_probe.h"
#include "sim/side_shots.h"
#include "sim/world.h"

namespace qm {

void NearestStrike::consider(int index, const ShotResult& shot)
{
    if (!shot.struck) return;
    const long long dx = shot.x - target_x_;
    const long long dy = shot.y - target_y_;
    const long long distance = dx * dx + dy * dy;
    if (best_ < 0 || distance < best_distance_) {
        best_ = index;
        best_distance_ = distance;
        best_damage_ = shot.target_damage;
    }
}

void PowerSearch::start(const Aim& aim, int target_x, int target_y)
{
    aim_ = aim;
    next_ = 0;
    nearest_ = NearestStrike(target_x, target_y);
}

bool PowerSearch::step(ShotProbe& probe, int count)
{
    const PowerLadder ladder{aim_.angle, aim_.direction, finder_steps_per_unit};
    const int end = std::min(finder_powers, next_ + count);
    ShotResult shots[finder_slice];
    while (next_ < end) {
        const int to = std::min(end, next_ + finder_slice);
        fire_rungs(probe, ladder, next_, to, shots);
        for (int rung = next_; rung < to; ++rung) nearest_.consider(rung, shots[rung - next_]);
        next_ = to;
    }
    return done();
}

void Prediction::update(const World& round, SideShots& shots)
{
    if (!shots.armed()) return;
    shown_ = true;
    const Aim aim{round.vang, round.v0, round.direction};
    const bool new_scene = shots.generation() != generation_;
    generation_ = shots.generation();
    if (new_scene || !predicted_ || !(aim == aim_)) {
        strike_ = shots.probe().fire(aim.angle, aim.power, aim.direction);
        aim_ = aim;
        predicted_ = true;
    }
    // The power does not matter to the search, only the angle and facing.
    const Aim searched = search_.aim();
    if (new_scene || searched.angle != aim.angle || searched.direction != aim.direction) {
        search_.start(aim, round.target1.pos_x, round.target1.pos_y);
        return;  // the tick that synced or predicted has had its share
    }
    search_.step(shots.probe(), finder_slice);
}

PredictionView Prediction::view() const
{
    PredictionView view;
    if (!shown_ || !predicted_) return view;
    view.strike_known = strike_.struck;
    view.strike_x = strike_.x;
    view.strike_y = strike_.y;
    view.searching = !search_.done();
    view.power_known = search_.done() && search_.reaches();
    view.power = search_.power();
    return view;
}

}  // namespace qm
