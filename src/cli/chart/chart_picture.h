// The shot chart's picture: one panel per angle side by side, sharing their
// axes (distance across, power up), one curve per wind coloured from head
// wind (blue) through calm (black) to tail wind (red), and the rule of thumb
// under each panel.
#pragma once

#include <string>
#include <vector>

#include "cli/chart/chart_curves.h"
#include "cli/chart/rule_of_thumb.h"
#include "raster/surface.h"

namespace qm {

// The colour of a wind's curve for a facing.
COLORREF wind_colour(const ChartWind& wind, int direction);

// rules: one per angle. map_name names the map in each panel's title.
Surface draw_shot_chart(const ChartOptions& options, const std::vector<ChartCurve>& curves,
                        const std::vector<ThumbRule>& rules, const std::string& map_name);

}  // namespace qm
