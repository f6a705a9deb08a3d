// Whether a drill's round can be made: once its target is dropped, the round
// is settled on a probe of its own and shots are fired there, a slice a
// tick while the target falls, until one hurts the target (at the drill's
// angle, or at any whole angle 10-90 when the angle is free). A round no
// power reaches is drawn again.
#pragma once

#include <memory>

namespace qm {

struct World;
class ShotProbe;

// Shots a tick, as the power finder's.
constexpr int round_check_slice = 64;
// A map where no draw can be reached still plays: after this many draws of
// one round the last is kept.
constexpr int round_check_draws = 20;

class RoundCheck {
public:
    RoundCheck();
    ~RoundCheck();
    RoundCheck(const RoundCheck&) = delete;
    RoundCheck& operator=(const RoundCheck&) = delete;

    // Makes the probe (this allocates); between ticks.
    void arm(const World& round);
    bool armed() const { return probe_ != nullptr; }

    // Begins on a round whose target was just dropped; the tick that drops
    // it does nothing more.
    void start(bool angle_fixed, double angle);
    // One tick's share on the round as it now stands: the first takes the
    // round and works out the units' fall on the probe, each later one fires
    // up to count more shots. Answers whether the answer is known. Never
    // allocates.
    bool step(const World& round, int count);

    bool checking() const { return checking_; }
    bool reachable() const { return reachable_; }
    // The shots fired for the current round, for the measures.
    long fired() const { return fired_; }

private:
    double angle_at(int index) const;

    std::unique_ptr<ShotProbe> probe_;
    bool checking_ = false;
    bool synced_ = false;  // the probe holds the round, its units at rest
    bool reachable_ = true;
    bool angle_fixed_ = false;
    double angle_ = 0.0;
    int direction_ = 1;
    int angle_index_ = 0;  // of the angles tried, 45 first then outwards
    int rung_ = 0;
    long fired_ = 0;
};

}  // namespace qm
