// Drawing the aim chart: a white box in the frame's left, under the shot's
// offsets, clear of the wind dial, the score panel and the aim line; the
// reading on its top line, the chart under it by the plot module.
#include <cstdio>
#include <string_view>

#include "raster/font.h"
#include "raster/raster.h"
#include "sim/aim_chart.h"

namespace qm {

namespace {

constexpr plot::Box chart_box{10, 52, 270, 222};  // 260 by 170 pixels
constexpr int reading_height = font_height + 4;   // the reading's line over the chart
constexpr int reading_inset = 6;
constexpr int reading_size = 48;

}  // namespace

void AimChart::draw(Surface& frame) const
{
    if (!shown_ || chart_.series.empty()) return;
    const AimChartView v = view();
    char line[reading_size];
    if (v.fired < chart_powers) {
        std::snprintf(line, sizeof line, "working out the chart...");
    } else if (v.reaches) {
        std::snprintf(line, sizeof line, "power %1.2f (good %1.2f-%1.2f) at %d", v.power, v.window.low_power(),
                      v.window.high_power(), v.target_distance);
    } else {
        std::snprintf(line, sizeof line, "out of reach at %d", v.target_distance);
    }
    const plot::Box below{chart_box.left, chart_box.top + reading_height, chart_box.right, chart_box.bottom};
    raster::fill_block(frame, chart_box.left, chart_box.top, chart_box.right - 1, below.top - 1,
                       plot::background_colour);
    plot::draw_text(frame, chart_box.left + reading_inset, chart_box.top + reading_inset / 2, line,
                    plot::ink_colour);
    if (v.fired < chart_powers) {
        raster::fill_block(frame, below.left, below.top, below.right - 1, below.bottom - 1, plot::background_colour);
        return;
    }
    plot::draw_chart(frame, below, chart_);
}

}  // namespace qm
