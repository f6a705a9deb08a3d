// The shot engine: shots fired on the side by shot probes. The power finder
// and the aim chart fire a ladder of powers a slice a tick on the round's
// one probe; the shot table and the shot chart fire whole grids from settled
// rounds of one map, shared out among threads, each with a probe of its own,
// every result in its shot's place so the output never depends on the
// number of threads.
#pragma once

#include <functional>
#include <vector>

#include "sim/shot_probe.h"
#include "sim/shot_result.h"

namespace qm {

struct World;

// Powers at one angle and facing, a step apart: rung k is power
// k / steps_per_unit, as the value k / steps_per_unit reads.
struct PowerLadder {
    double angle = 0.0;
    int direction = 1;
    double steps_per_unit = 1.0;

    double power(int rung) const { return rung / steps_per_unit; }
};

// Fires rungs from to to - 1 on the probe into results[0] onwards; never
// allocates.
void fire_rungs(ShotProbe& probe, const PowerLadder& ladder, int from, int to, ShotResult* results);

// Ticks a round may take for both units to land before its shots.
constexpr long max_settle_ticks = 10000;

struct Shot {
    int start = 0;  // which of the starts it fires from
    double angle = 0.0;
    double power = 0.0;
};

// A job runs on no more threads than this.
constexpr int max_threads = 32;

// The threads a job runs on unless told: one a core, at most max_threads.
int default_threads();

// The threads a job asked to run on can have: one a core when it asks for 0,
// and 1 in a build without threads (WebAssembly under node), where a new
// thread aborts.
int usable_threads(int asked);

// Runs work(t) for t = 0 to usable_threads(threads) - 1, each on a thread of
// its own (0 on the calling one); returns when all are done.
void run_on_threads(int threads, const std::function<void(int)>& work);

// Fires every shot with the given facing. round is a settled round of the
// map; starts are what its shots start from (round itself, or the map
// settled under other winds; ShotStart). Shots next to each other should
// mostly share a start: a thread changes start only between them.
std::vector<ShotResult> fire_shots(const World& round, const std::vector<ShotStart>& starts,
                                   const std::vector<Shot>& shots, int direction, int threads);

}  // namespace qm
