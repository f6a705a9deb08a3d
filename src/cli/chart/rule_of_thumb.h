// The rule of thumb under a shot chart: the power that carries a shot a few
// round distances in each wind, and how much power each 5 units of wind
// towards or against the shot add or take away there.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/chart/chart_curves.h"

namespace qm {

// The distances the rule gives powers for, pixels.
constexpr int thumb_distances[] = {200, 400, 800, 1200};
constexpr int thumb_distance_count = static_cast<int>(std::size(thumb_distances));
// The wind step the corrections are given for.
constexpr int thumb_wind_step = 5;

// Index into the powers of the one whose shot lands nearest distance among
// the first pair of neighbouring powers whose strikes lie either side of
// it; none when no such pair exists (out of reach at this angle and wind).
std::optional<std::size_t> power_for_distance(const ChartCurve& curve, int direction, int distance);

struct ThumbRow {
    std::string label;  // the wind, as the legend names it
    std::optional<std::size_t> power[thumb_distance_count];
};

struct ThumbRule {
    std::vector<ThumbRow> rows;  // one per wind, in the order drawn
    // Power per 5 units of wind towards and against the shot, from calm to
    // the strongest wind that way which reaches the distance; none without
    // a calm curve and such a wind.
    std::optional<double> towards[thumb_distance_count];
    std::optional<double> against[thumb_distance_count];
};

// The rule for one angle: curves are that angle's, one per wind.
ThumbRule thumb_rule(const ChartOptions& options, const std::vector<const ChartCurve*>& curves);

// A wind as the legend and the rule name it: "calm", "10 towards",
// "10 against", or "S:A" for any other direction.
std::string wind_label(const ChartWind& wind, int direction);

// The rule's lines: one per wind, then the two corrections, each opened by
// prefix; the text under a chart panel is laid out in columns instead.
std::vector<std::string> thumb_lines(const ChartOptions& options, const ThumbRule& rule, const std::string& prefix);
std::vector<std::string> thumb_columns(const ChartOptions& options, const ThumbRule& rule);

}  // namespace qm
