// Drawing the results chart with the plot module: the scores joined in
// session order, a diamond on each that equals the best.
#include "sim/drill/score_chart.h"

#include <algorithm>

#include "raster/plot/plot.h"

namespace qm {

namespace {

constexpr COLORREF series_colour = 0x00A05020;  // blue
constexpr COLORREF best_colour = 0x000000D0;    // red
constexpr double headroom = 1.1;                // the highest score stays clear of the top

}  // namespace

void draw_score_chart(Surface& picture, const long long* scores, int count, long long best)
{
    plot::Chart chart;
    chart.title = "last " + std::to_string(count) + (count == 1 ? " score" : " scores");
    chart.x_label = "session";
    chart.y_label = "score";
    chart.legend = plot::LegendPlace::none;
    chart.max_ticks = 5;
    chart.whole_x = true;  // sessions are counted whole
    long long high = 1;
    plot::Series series{"", series_colour, {}, 2};
    for (int i = 0; i < count; ++i) {
        high = std::max(high, scores[i]);
        series.points.push_back({static_cast<double>(i + 1), static_cast<double>(scores[i])});
        if (scores[i] == best) {
            chart.markers.push_back({static_cast<double>(i + 1), static_cast<double>(scores[i]), best_colour,
                                     plot::MarkerShape::diamond, 6});
        }
    }
    chart.series.push_back(std::move(series));
    chart.x = {1.0, static_cast<double>(std::max(count, 2))};
    chart.y = {0.0, static_cast<double>(high) * headroom};
    chart.notes.push_back("diamond: personal best");
    plot::draw_chart(picture, {0, 0, picture.width(), picture.height()}, chart);
}

}  // namespace qm
