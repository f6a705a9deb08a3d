// The shot engine the shot table and the shot chart share: shots fired on
// the side from settled rounds of one map, shared out among threads, each
// with a probe of its own, every result in its shot's place so the output
// never depends on the number of threads.
#pragma once

#include <vector>

#include "sim/shot_probe.h"
#include "sim/shot_result.h"

namespace qm {

struct World;

struct Shot {
    int start = 0;  // which of the starts it fires from
    double angle = 0.0;
    double power = 0.0;
};

// Fires every shot with the given facing. round is a settled round of the
// map; starts are what its shots start from (round itself, or the map
// settled under other winds; ShotStart). Shots next to each other should
// mostly share a start: a thread changes start only between them.
std::vector<ShotResult> fire_shots(const World& round, const std::vector<ShotStart>& starts,
                                   const std::vector<Shot>& shots, int direction, int threads);

}  // namespace qm
