// The round check's probe, its fall and its shots.
#include "sim/drill/round_check.h"

#include "sim/hit_window.h"
#include "sim/shot_control.h"
#include "sim/shot_engine.h"
#include "sim/shot_probe.h"
#include "sim/world.h"

namespace qm {

namespace {

// Whole angles 10 to 90, tried from 45 outwards: most rounds are reached
// at the first few.
constexpr int free_angles = 81;
constexpr int first_free_angle = 45;
constexpr int min_aim_angle_whole = 10;

}  // namespace

RoundCheck::RoundCheck() = default;
RoundCheck::~RoundCheck() = default;

void RoundCheck::arm(const World& round)
{
    if (!armed()) probe_ = std::make_unique<ShotProbe>(round);
    checking_ = false;
}

double RoundCheck::angle_at(int index) const
{
    if (angle_fixed_) return angle_;
    // 45, 46, 44, 47, 43 … 80, 10, then 81 to 90.
    constexpr int paired = 2 * (first_free_angle - min_aim_angle_whole);
    if (index > paired) return index + min_aim_angle_whole;
    const int step = (index + 1) / 2;
    return index % 2 == 1 ? first_free_angle + step : first_free_angle - step;
}

void RoundCheck::start(bool angle_fixed, double angle)
{
    checking_ = armed();
    reachable_ = true;
    if (!checking_) return;
    synced_ = false;
    angle_fixed_ = angle_fixed;
    angle_ = angle;
    angle_index_ = 0;
    rung_ = 0;
    fired_ = 0;
    reachable_ = false;
}

bool RoundCheck::step(const World& round, int count)
{
    if (checking_ && !synced_) {
        // The fall from here is the one the round will take: the same unit
        // phases from the same state.
        probe_->sync(round);
        probe_->settle(max_settle_ticks);
        const World& settled = probe_->round();
        direction_ = settled.target1.pos_x < settled.player_bot.pos_x ? -1 : 1;
        synced_ = true;
        return false;
    }
    const int angles = angle_fixed_ ? 1 : free_angles;
    for (int shot = 0; checking_ && shot < count; ++shot) {
        const ShotResult r = probe_->fire(angle_at(angle_index_), rung_ / finder_steps_per_unit, direction_);
        ++fired_;
        if (r.target_damage > 0) {
            reachable_ = true;
            checking_ = false;
        } else if (++rung_ == finder_powers) {
            rung_ = 0;
            if (++angle_index_ == angles) checking_ = false;
        }
    }
    return !checking_;
}

}  // namespace qm
