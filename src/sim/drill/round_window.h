// A drill round's hit window at the angle and facing of its first shot: the
// round copied once both units stand (before any shot of it can crater the
// ground), then, from the first shot's launch, every power fired on that
// copy a slice a tick while the real shell flies.
#pragma once

#include <memory>

namespace qm {

struct World;
class ShotProbe;
class WindowSearch;

// A finished search's answer, in powers.
struct RoundWindowAnswer {
    bool reaches = false;  // some power costs the target hit points
    double best = 0.0, low = 0.0, high = 0.0;
};

class RoundWindow {
public:
    RoundWindow();
    ~RoundWindow();
    RoundWindow(const RoundWindow&) = delete;
    RoundWindow& operator=(const RoundWindow&) = delete;

    // Makes the copy of the round and the search (this allocates): between
    // ticks.
    void arm(const World& world);
    bool armed() const { return probe_ != nullptr; }

    // The round `round` as it stands, nothing in the air. Never allocates.
    void take(const World& world, int round);
    // The first shot of the taken round has left at this angle and facing:
    // the search begins; false when no copy of that round was taken.
    bool begin(int round, double angle, int direction);
    // Fires up to count more powers; true once the search of `round` is done.
    bool step(int count);
    // The search's round (-1: none), and its answer once step said done.
    int round() const { return searching_ ? round_ : -1; }
    RoundWindowAnswer answer() const;
    // Ends the search (its answer taken, or a new drill begun).
    void clear();

private:
    std::unique_ptr<ShotProbe> probe_;
    std::unique_ptr<WindowSearch> search_;
    int taken_ = -1;  // the round the copy is of
    int round_ = -1;
    bool searching_ = false;
};

}  // namespace qm
