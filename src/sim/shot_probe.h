// Shots worked out on the side: a private copy of a round that fires a shot
// by the round's own tick phases and puts everything back afterwards.
#pragma once

#include <memory>

#include "sim/shot_result.h"

namespace qm {

struct World;
struct ProbeRestore;

// What a settled round's shots start from apart from its terrain: the units,
// the wind, the rolls and the clock. Rounds of one map settled under other
// winds share their terrain and differ only in this, so one probe can fire
// for all of them without a copy of each round.
class ShotStart {
public:
    explicit ShotStart(const World& round);
    ~ShotStart();
    ShotStart(ShotStart&&) noexcept;
    ShotStart& operator=(ShotStart&&) noexcept;

private:
    friend class ShotProbe;
    std::unique_ptr<ProbeRestore> state_;
};

// A private copy of a round that fires shots without touching the round: no
// crater, no damage, no draw from its random generator. Built once (this
// allocates); sync() and fire() never allocate.
class ShotProbe {
public:
    explicit ShotProbe(const World& round);
    ~ShotProbe();
    ShotProbe(const ShotProbe&) = delete;
    ShotProbe& operator=(const ShotProbe&) = delete;

    // Takes the round's current terrain, units, wind and map again.
    void sync(const World& round);

    // Takes the start of a round whose terrain is the synced one (the same
    // map, settled under another wind); never allocates.
    void start_from(const ShotStart& start);

    // Lets the synced round's units fall until both rest (or the limit
    // passes), by the tick's own unit phases, and keeps that as the synced
    // round: a round whose target was just dropped, seen as it will stand.
    // Never allocates.
    void settle(long max_ticks);

    // The synced round, as shots start from it.
    const World& round() const { return *world_; }

    // What the round would make of F pressed now at this angle (10 to 90),
    // power (0 to 4) and direction (1 right, -1 left), nothing else held and
    // no shot in the air: the same fire delay, flight, collision, impact and
    // crater code, secondaries included, so a secondary's crater can open the
    // way for the main shell. The probe is then as synced again.
    ShotResult fire(double angle, double power, int direction);

    // Flight ticks after which a shell that has not struck is given up.
    static constexpr int max_flight_ticks = 10000;

private:
    void restore();

    std::unique_ptr<World> world_;
    std::unique_ptr<ProbeRestore> synced_;  // what a shot changes, as synced
};

}  // namespace qm
