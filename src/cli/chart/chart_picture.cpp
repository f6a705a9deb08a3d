// Drawing the shot chart through the plot module: panels, shared ranges,
// curves with gaps where a shell never struck, the rule as notes.
#include "cli/chart/chart_picture.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "raster/font.h"
#include "raster/plot/plot.h"

namespace qm {

namespace {

// The picture is at least this large; panels of several angles are at
// least panel_min_width wide each.
constexpr int min_width = 1200;
constexpr int plot_height = 800;
constexpr int panel_min_width = 640;
constexpr int note_line_height = font_height + 2;
constexpr int strongest_wind = 25;
constexpr double head_blue = 0xD0;
constexpr double head_green = 0x50;
constexpr double tail_red = 0xD8;
constexpr double tail_green = 0x30;

// The part of the wind that blows along the shot, exactly for the four
// straight directions.
double along(const ChartWind& wind, int direction)
{
    const int off = ((wind.angle - wind_towards(direction)) % 360 + 360) % 360;
    switch (off) {
    case 0: return wind.strength;
    case 90:
    case 270: return 0.0;
    case 180: return -wind.strength;
    default: return wind.strength * std::cos(off * 3.14159265358979323846 / 180.0);
    }
}

COLORREF rgb(double r, double g, double b)
{
    auto c = [](double v) { return static_cast<COLORREF>(std::lround(v)); };
    return c(r) | c(g) << 8 | c(b) << 16;
}

// The distances across every panel and the muzzle, widened to a round
// fiftieth of the span (a strike a few pixels behind the muzzle would
// otherwise widen the axis by a whole tick).
plot::Range distance_range(const ChartOptions& options, const std::vector<ChartCurve>& curves)
{
    double lo = 0.0;
    double hi = 0.0;
    for (const ChartCurve& curve : curves) {
        for (const ShotResult& shot : curve.shots) {
            if (!shot.struck) continue;
            lo = std::min(lo, static_cast<double>(shot_distance(shot, options.direction)));
            hi = std::max(hi, static_cast<double>(shot_distance(shot, options.direction)));
        }
    }
    if (hi <= lo) hi = lo + 1.0;
    const double step = plot::nice_step(hi - lo, 50);
    return {std::floor(lo / step) * step, std::ceil(hi / step) * step};
}

std::string facing_name(int direction) { return direction > 0 ? "facing right" : "facing left"; }

plot::Chart panel(const ChartOptions& options, const std::vector<ChartCurve>& curves, std::size_t angle,
                  const ThumbRule& rule, const std::string& map_name, plot::Range x)
{
    plot::Chart chart;
    chart.title = "Shot chart: " + map_name + ", angle " + options.angles[angle].text + ", " +
                  facing_name(options.direction);
    chart.x_label = "distance from the muzzle to the first strike (pixels)";
    chart.y_label = "power";
    chart.x = x;
    chart.y = {options.powers.front().value, options.powers.back().value};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const ChartCurve& curve : curves) {
        if (curve.angle != angle) continue;
        const ChartWind& wind = options.winds[curve.wind];
        plot::Series series{wind_label(wind, options.direction), wind_colour(wind, options.direction), {}, 2};
        for (std::size_t p = 0; p < curve.shots.size(); ++p) {
            const ShotResult& shot = curve.shots[p];
            if (shot.struck) {
                series.points.push_back({static_cast<double>(shot_distance(shot, options.direction)),
                                         options.powers[p].value});
            } else {
                series.points.push_back({nan, nan});
            }
        }
        chart.series.push_back(std::move(series));
    }
    chart.notes = thumb_columns(options, rule);
    return chart;
}

}  // namespace

COLORREF wind_colour(const ChartWind& wind, int direction)
{
    const double t = std::clamp(along(wind, direction) / strongest_wind, -1.0, 1.0);
    if (t < 0.0) return rgb(0.0, head_green * -t, head_blue * -t);
    return rgb(tail_red * t, tail_green * t, 0.0);
}

Surface draw_shot_chart(const ChartOptions& options, const std::vector<ChartCurve>& curves,
                        const std::vector<ThumbRule>& rules, const std::string& map_name)
{
    const int panels = static_cast<int>(options.angles.size());
    const int panel_width = std::max(min_width / panels, panel_min_width);
    const int notes = static_cast<int>(rules.front().rows.size()) + 4;
    const int height = plot_height + notes * note_line_height;
    Surface picture(std::max(min_width, panel_width * panels), height);
    const plot::Range x = distance_range(options, curves);
    for (int a = 0; a < panels; ++a) {
        const plot::Chart chart = panel(options, curves, static_cast<std::size_t>(a), rules[static_cast<std::size_t>(a)], map_name, x);
        plot::draw_chart(picture, {a * panel_width, 0, (a + 1) * panel_width, height}, chart);
    }
    return picture;
}

}  // namespace qm
