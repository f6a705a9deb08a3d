// Keeping and playing the replay copies.
#include "sim/replay.h"

#include "sim/paint.h"
#include "sim/world.h"

namespace qm {

Replay::Replay() = default;
Replay::~Replay() = default;

void Replay::arm(const World& round)
{
    kept_ = std::make_unique<World>(round);
    has_shot_ = false;
    running_ = false;
}

void Replay::keep(const World& round)
{
    if (!armed()) return;
    // Same sizes throughout, so the surfaces and the map image reuse their
    // storage.
    *kept_ = round;
    has_shot_ = true;
}

bool Replay::start()
{
    if (!has_shot_) return false;
    if (playing_ == nullptr) {
        playing_ = std::make_unique<World>(*kept_);
    } else {
        *playing_ = *kept_;
    }
    running_ = true;
    return true;
}

void Replay::tick(Surface& frame)
{
    if (!running_) return;
    paint(*playing_);
    BitBlt(frame, 0, 0, frame.width(), frame.height(), playing_->memoria, 0, 0, Rop::srccopy);
    if (playing_->mainbullet.state >= state_at_rest) running_ = false;
}

}  // namespace qm
