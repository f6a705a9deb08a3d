// The shot chart's numbers: the map settled under each wind of the chart,
// and every curve's shots fired by the shot engine from those starts.
#pragma once

#include <string>
#include <vector>

#include "cli/chart/chart_options.h"
#include "sim/shot_result.h"

namespace qm {

// One curve: an angle, a wind, and the shot at each power of the grid.
struct ChartCurve {
    std::size_t angle = 0;  // index into ChartOptions::angles
    std::size_t wind = 0;   // index into ChartOptions::winds
    std::vector<ShotResult> shots;
};

// The curves, angle by angle and, within an angle, in the order of the
// winds. False, with the reason in error, when the map cannot be used or the
// units do not come to rest under some wind.
bool work_out_curves(const ChartOptions& options, std::vector<ChartCurve>& curves, std::string& error);

// How far forward of the muzzle a shot first struck, pixels (negative
// behind it); only for a shot that struck.
inline int shot_distance(const ShotResult& shot, int direction) { return shot.dx * direction; }

}  // namespace qm
