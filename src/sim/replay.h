// The replay: a copy of the round kept as each shot leaves, played again on a
// second copy while the real round waits. The kept copy is made when the
// replay is armed, so that keeping a shot (in the tick it leaves) copies into
// it without allocating; the second copy is made at the first replay (a key
// press, between ticks) and reused after.
#pragma once

#include <memory>

#include "raster/surface.h"

namespace qm {

struct World;

class Replay {
public:
    Replay();
    ~Replay();
    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

    // Makes the kept copy (this allocates); until then nothing is kept.
    void arm(const World& round);
    bool armed() const { return kept_ != nullptr; }

    // The round as its shot leaves.
    void keep(const World& round);
    bool has_shot() const { return has_shot_; }

    // Plays the kept shot from its launch (the first time, this allocates);
    // false when none is kept.
    bool start();
    void stop() { running_ = false; }
    bool running() const { return running_; }

    // One tick of the replay, its frame copied into `frame`; the replay ends
    // by itself once the main shell is at rest.
    void tick(Surface& frame);
    // The round the replay shows (while it runs).
    const World& shown() const { return *playing_; }

private:
    std::unique_ptr<World> kept_;
    std::unique_ptr<World> playing_;
    bool has_shot_ = false;
    bool running_ = false;
};

}  // namespace qm
