// The shot probe the landing prediction, the power finder and the aim chart
// share, kept synced with the round: one private copy of the round, taken
// again only when something a shot depends on besides the aim has changed.
#pragma once

#include <memory>

namespace qm {

struct World;
class ShotProbe;

class SideShots {
public:
    SideShots();
    ~SideShots();
    SideShots(const SideShots&) = delete;
    SideShots& operator=(const SideShots&) = delete;

    // Makes the probe (this allocates).
    void arm(const World& round);
    bool armed() const { return probe_ != nullptr; }

    // Syncs the probe when the scene has changed since the last call (craters
    // counts the strikes so far); true when it did. Never allocates.
    bool follow(const World& round, long long craters);

    // Counts the syncs: an answer worked out in another generation is stale.
    long long generation() const { return generation_; }

    ShotProbe& probe() { return *probe_; }

private:
    // What a shot depends on besides the aim: the ground (as the count of
    // strikes that may have cratered it), the units' places and the wind.
    struct Scene {
        long long craters = -1;
        int target_x = 0, target_y = 0;
        int player_x = 0, player_y = 0;
        double wind = 0.0, wang = 0.0;
        bool operator==(const Scene&) const = default;
    };

    std::unique_ptr<ShotProbe> probe_;
    Scene scene_;
    long long generation_ = 0;
};

}  // namespace qm
