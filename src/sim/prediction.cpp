// The landing prediction and the power finder over the shot probe.
#include "sim/prediction.h"

#include "sim/shot_probe.h"
#include "sim/side_shots.h"
#include "sim/world.h"

namespace qm {

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
    if (new_scene || search_.angle() != aim.angle || search_.direction() != aim.direction) {
        search_.start(aim.angle, aim.direction);
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
    if (!view.searching) view.window = search_.window();
    return view;
}

}  // namespace qm
