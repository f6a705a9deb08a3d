// The shared shot probe and the scene it was last synced to.
#include "sim/side_shots.h"

#include "sim/shot_probe.h"
#include "sim/world.h"

namespace qm {

SideShots::SideShots() = default;
SideShots::~SideShots() = default;

void SideShots::arm(const World& round)
{
    probe_ = std::make_unique<ShotProbe>(round);
    scene_ = Scene{};
    ++generation_;
}

bool SideShots::follow(const World& round, long long craters)
{
    if (!armed()) return false;
    const Scene scene{craters,
                      round.target1.pos_x,
                      round.target1.pos_y,
                      round.player_bot.pos_x,
                      round.player_bot.pos_y,
                      round.wind,
                      round.wang};
    if (scene == scene_) return false;
    probe_->sync(round);
    scene_ = scene;
    ++generation_;
    return true;
}

}  // namespace qm
