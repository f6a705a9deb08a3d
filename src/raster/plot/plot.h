// Charts drawn with the raster's own lines and font, so a chart comes out
// pixel for pixel the same on every build: a plot area with x and y ranges,
// round tick steps, axes with labelled ticks, a light grid, a title, axis
// names, series drawn as polylines in their colours, point markers and a
// legend. A chart is a value; draw_chart paints it into any box of any
// surface, and write_chart_png saves a surface with one fixed encoder, so the
// file's bytes do not depend on the build either.
//
//   plot::Chart c;
//   c.title = "Scores";  c.x_label = "session";  c.y_label = "score";
//   c.x = {0, 30};  c.y = {0, 100};
//   c.series.push_back({"drill 1", 0x000000C0, {{1, 40}, {2, 55}}});
//   c.markers.push_back({2, 55, 0x00008000, plot::MarkerShape::diamond});
//   plot::draw_chart(surface, {0, 0, surface.width(), surface.height()}, c);
//   plot::write_chart_png(surface, "scores.png", reason);
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "raster/surface.h"

namespace qm::plot {

// Data coordinates.
struct Point {
    double x = 0.0;
    double y = 0.0;
};

// lo < hi; a range with lo >= hi is widened by one unit around lo.
struct Range {
    double lo = 0.0;
    double hi = 1.0;
};

// Pixels [left, right) by [top, bottom) of the surface.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A polyline through its points in order; a point with a NaN coordinate
// breaks the line there (a gap, nothing drawn to or from it).
struct Series {
    std::string label;  // empty: not listed in the legend
    COLORREF color = 0x00000000;
    std::vector<Point> points;
    int width = 2;  // pen width in pixels
};

enum class MarkerShape { dot, cross, diamond };

struct Marker {
    double x = 0.0;
    double y = 0.0;
    COLORREF color = 0x00000000;
    MarkerShape shape = MarkerShape::dot;
    int size = 5;  // half the marker's width, pixels
};

enum class LegendPlace { none, top_left, top_right, bottom_left, bottom_right };

struct Chart {
    std::string title;    // centred above the plot area
    std::string x_label;  // centred under the x tick labels
    std::string y_label;  // written upwards left of the y tick labels
    Range x;
    Range y;
    int max_ticks = 10;  // at most this many tick intervals per axis
    bool whole_x = false;  // x ticks on whole numbers only (a count, such as sessions)
    bool grid = true;
    std::vector<Series> series;
    std::vector<Marker> markers;  // drawn over the series
    LegendPlace legend = LegendPlace::top_left;
    // Text lines under the plot area, left-aligned (notes, a rule of thumb).
    std::vector<std::string> notes;
};

// Colours the charts share.
constexpr COLORREF background_colour = 0x00FFFFFF;
constexpr COLORREF ink_colour = 0x00000000;
constexpr COLORREF grid_colour = 0x00E0E0E0;

// A round tick step for span: 1, 2 or 5 times a power of ten, the smallest
// that cuts span into at most max_ticks intervals (max_ticks >= 1, span > 0).
double nice_step(double span, int max_ticks);

// The x axis' tick step over `x` (the chart's range as drawn): nice_step,
// and at least 1 for a chart whose x ticks are whole.
double x_tick_step(const Chart& chart, Range x);

// The tick values step * k within range, lowest first.
std::vector<double> ticks(Range range, double step);

// A tick value as printed: as many decimals as step needs, no more, and no
// "-0". Formatted by integer arithmetic, so every C library prints the same.
std::string tick_text(double value, double step);
// The same into out (size bytes, at least 2), cut to fit; answers its length.
// Allocates nothing.
int format_tick(double value, double step, char* out, int size);

// Where the plot area (inside the axes) of chart lies when drawn into box.
Box plot_area(const Chart& chart, Box box);

// The pixel of a data point in the plot area of chart drawn into box,
// rounded to the nearest pixel; y grows upwards.
POINT to_pixel(const Chart& chart, Box box, Point p);

// Fills box with the background and draws the whole chart into it (the
// layout keeps every label inside the box; series and markers are cut to
// the plot area). Allocates nothing, so a chart can be drawn in a tick.
void draw_chart(Surface& s, Box box, const Chart& chart);

// Text in colour on a transparent background, cells of the console font
// running right from (x, y), or upwards from (x, y) (the bottom-left corner
// of the first character) when upwards is set.
void draw_text(Surface& s, int x, int y, std::string_view text, COLORREF colour, bool upwards = false);

// Writes s to path as a PNG, beside the target and renamed into place,
// always through the library-free compact encoder, so the bytes are the
// same on every build; false with the system's reason otherwise.
bool write_chart_png(const Surface& s, const char* path, std::string& reason);

}  // namespace qm::plot
