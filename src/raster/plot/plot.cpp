// Chart layout and drawing: the margins the labels need, the grid and axes,
// the series clipped to the plot area, the markers, the legend and the text
// around it. Drawing allocates nothing, so a chart can be drawn in a tick.
#include <algorithm>
#include <cmath>

#include "raster/font.h"
#include "raster/plot/plot.h"
#include "raster/raster.h"

namespace qm::plot {

namespace {

constexpr int gap = 6;           // pixels between parts of the layout
constexpr int tick_length = 5;   // pixels a tick reaches out of the axis
constexpr int line_height = font_height + 2;
constexpr int legend_swatch = 24;  // width of a legend entry's line sample
constexpr int legend_inset = 8;    // legend's distance from the plot area's edges
constexpr int max_tick_chars = 24;

Range usable(Range r)
{
    if (!(r.hi > r.lo)) return {r.lo - 0.5, r.lo + 0.5};
    return r;
}

double step_of(const Chart& c, Range r) { return nice_step(r.hi - r.lo, c.max_ticks); }

// Calls f(value) for each tick of the range, without building a list.
template <typename F>
void each_tick(Range r, double step, F f)
{
    constexpr double slack = 1e-9;
    const double first = std::ceil(r.lo / step - slack);
    const double last = std::floor(r.hi / step + slack);
    for (double k = first; k <= last; k += 1.0) f(k * step);
}

// A tick label into a fixed buffer; its length.
int tick_label(double value, double step, char (&out)[max_tick_chars])
{
    return format_tick(value, step, out, max_tick_chars);
}

int widest_tick_label(Range r, double step)
{
    int widest = 0;
    each_tick(r, step, [&](double v) {
        char label[max_tick_chars];
        widest = std::max(widest, tick_label(v, step, label));
    });
    return widest;
}

int round_pixel(double v) { return static_cast<int>(std::floor(v + 0.5)); }

// The segment a to b cut to the box [x0, x1] by [y0, y1] (Liang-Barsky);
// false when nothing of it lies inside.
bool clip(double& ax, double& ay, double& bx, double& by, double x0, double y0, double x1, double y1)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = bx - ax;
    const double dy = by - ay;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    const double sx = ax;
    const double sy = ay;
    ax = sx + t0 * dx;
    ay = sy + t0 * dy;
    bx = sx + t1 * dx;
    by = sy + t1 * dy;
    return true;
}

struct Pixel {
    double x = 0.0;
    double y = 0.0;
};

Pixel to_pixel_exact(Box area, Range xr, Range yr, Point p)
{
    return {area.left + (p.x - xr.lo) / (xr.hi - xr.lo) * (area.right - 1 - area.left),
            area.bottom - 1 - (p.y - yr.lo) / (yr.hi - yr.lo) * (area.bottom - 1 - area.top)};
}

void draw_series(Surface& s, Box area, Range xr, Range yr, const Series& series)
{
    const Pen pen{series.width, series.color};
    bool have_last = false;
    Pixel last;
    for (const Point& p : series.points) {
        if (std::isnan(p.x) || std::isnan(p.y)) {
            have_last = false;
            continue;
        }
        const Pixel here = to_pixel_exact(area, xr, yr, p);
        if (have_last) {
            double ax = last.x, ay = last.y, bx = here.x, by = here.y;
            if (clip(ax, ay, bx, by, area.left, area.top, area.right - 1, area.bottom - 1)) {
                MoveToEx(s, round_pixel(ax), round_pixel(ay));
                LineTo(s, pen, round_pixel(bx), round_pixel(by));
            }
        }
        last = here;
        have_last = true;
    }
}

void draw_marker(Surface& s, Box area, Range xr, Range yr, const Marker& m)
{
    const Pixel p = to_pixel_exact(area, xr, yr, {m.x, m.y});
    if (p.x < area.left || p.x > area.right - 1 || p.y < area.top || p.y > area.bottom - 1) return;
    const int x = round_pixel(p.x);
    const int y = round_pixel(p.y);
    const int r = m.size;
    const Pen pen{2, m.color};
    const Brush brush{m.color};
    switch (m.shape) {
    case MarkerShape::dot:
        Ellipse(s, Pen{1, m.color}, brush, x - r, y - r, x + r + 1, y + r + 1);
        break;
    case MarkerShape::cross:
        MoveToEx(s, x - r, y - r);
        LineTo(s, pen, x + r + 1, y + r + 1);
        MoveToEx(s, x - r, y + r);
        LineTo(s, pen, x + r + 1, y - r - 1);
        break;
    case MarkerShape::diamond: {
        const POINT points[] = {{x, y - r}, {x + r, y}, {x, y + r}, {x - r, y}};
        Polygon(s, Pen{1, ink_colour}, brush, points, 4);
        break;
    }
    }
}

void draw_grid_and_ticks(Surface& s, const Chart& c, Box area, Range xr, Range yr)
{
    const double xs = x_tick_step(c, xr);
    const double ys = step_of(c, yr);
    each_tick(xr, xs, [&](double v) {
        const int x = round_pixel(to_pixel_exact(area, xr, yr, {v, yr.lo}).x);
        if (c.grid) raster::fill_block(s, x, area.top, x, area.bottom - 1, grid_colour);
        raster::fill_block(s, x, area.bottom, x, area.bottom + tick_length - 1, ink_colour);
        char label[max_tick_chars];
        const int n = tick_label(v, xs, label);
        draw_text(s, x - n * font_width / 2, area.bottom + tick_length + 2, std::string_view(label, static_cast<std::size_t>(n)), ink_colour);
    });
    each_tick(yr, ys, [&](double v) {
        const int y = round_pixel(to_pixel_exact(area, xr, yr, {xr.lo, v}).y);
        if (c.grid) raster::fill_block(s, area.left, y, area.right - 1, y, grid_colour);
        raster::fill_block(s, area.left - tick_length, y, area.left - 1, y, ink_colour);
        char label[max_tick_chars];
        const int n = tick_label(v, ys, label);
        draw_text(s, area.left - tick_length - 2 - n * font_width, y - font_height / 2, std::string_view(label, static_cast<std::size_t>(n)), ink_colour);
    });
}

void draw_frame(Surface& s, Box area)
{
    raster::fill_block(s, area.left - 1, area.top - 1, area.right, area.top - 1, ink_colour);
    raster::fill_block(s, area.left - 1, area.bottom, area.right, area.bottom, ink_colour);
    raster::fill_block(s, area.left - 1, area.top - 1, area.left - 1, area.bottom, ink_colour);
    raster::fill_block(s, area.right, area.top - 1, area.right, area.bottom, ink_colour);
}

void draw_legend(Surface& s, const Chart& c, Box area)
{
    int rows = 0;
    std::size_t widest = 0;
    for (const Series& series : c.series) {
        if (series.label.empty()) continue;
        ++rows;
        widest = std::max(widest, series.label.size());
    }
    if (rows == 0 || c.legend == LegendPlace::none) return;
    const int width = gap + legend_swatch + gap + static_cast<int>(widest) * font_width + gap;
    const int height = rows * line_height + gap;
    const bool left = c.legend == LegendPlace::top_left || c.legend == LegendPlace::bottom_left;
    const bool top = c.legend == LegendPlace::top_left || c.legend == LegendPlace::top_right;
    const int x = left ? area.left + legend_inset : area.right - legend_inset - width;
    const int y = top ? area.top + legend_inset : area.bottom - legend_inset - height;
    Rectangle(s, Pen{1, ink_colour}, Brush{background_colour}, x, y, x + width, y + height);
    int row_y = y + gap / 2 + 1;
    for (const Series& series : c.series) {
        if (series.label.empty()) continue;
        const int mid = row_y + font_height / 2;
        raster::fill_block(s, x + gap, mid - 1, x + gap + legend_swatch - 1, mid, series.color);
        draw_text(s, x + gap + legend_swatch + gap, row_y, series.label, ink_colour);
        row_y += line_height;
    }
}

}  // namespace

Box plot_area(const Chart& c, Box box)
{
    const Range xr = usable(c.x);
    const Range yr = usable(c.y);
    const int y_chars = widest_tick_label(yr, step_of(c, yr));
    const int x_chars = widest_tick_label(xr, x_tick_step(c, xr));
    Box area;
    area.left = box.left + gap + (c.y_label.empty() ? 0 : font_height + gap) + y_chars * font_width + 2 +
                tick_length + 1;
    area.right = box.right - gap - std::max(x_chars * font_width / 2, gap);
    area.top = box.top + gap + (c.title.empty() ? 0 : line_height + gap) + font_height / 2;
    area.bottom = box.bottom - gap - tick_length - 2 - line_height - (c.x_label.empty() ? 0 : line_height) -
                  static_cast<int>(c.notes.size()) * line_height - (c.notes.empty() ? 0 : gap);
    area.right = std::max(area.right, area.left + 2);
    area.bottom = std::max(area.bottom, area.top + 2);
    return area;
}

POINT to_pixel(const Chart& c, Box box, Point p)
{
    const Pixel e = to_pixel_exact(plot_area(c, box), usable(c.x), usable(c.y), p);
    return {round_pixel(e.x), round_pixel(e.y)};
}

void draw_chart(Surface& s, Box box, const Chart& c)
{
    raster::fill_block(s, box.left, box.top, box.right - 1, box.bottom - 1, background_colour);
    const Range xr = usable(c.x);
    const Range yr = usable(c.y);
    const Box area = plot_area(c, box);

    draw_grid_and_ticks(s, c, area, xr, yr);
    for (const Series& series : c.series) draw_series(s, area, xr, yr, series);
    for (const Marker& m : c.markers) draw_marker(s, area, xr, yr, m);
    draw_frame(s, area);
    draw_legend(s, c, area);

    const int centre = (area.left + area.right) / 2;
    draw_text(s, centre - static_cast<int>(c.title.size()) * font_width / 2, box.top + gap, c.title, ink_colour);
    int y = area.bottom + tick_length + 2 + line_height;
    if (!c.x_label.empty()) {
        draw_text(s, centre - static_cast<int>(c.x_label.size()) * font_width / 2, y, c.x_label, ink_colour);
        y += line_height;
    }
    y += gap;
    for (const std::string& note : c.notes) {
        draw_text(s, box.left + gap, y, note, ink_colour);
        y += line_height;
    }
    if (!c.y_label.empty()) {
        const int middle = (area.top + area.bottom) / 2;
        draw_text(s, box.left + gap, middle + static_cast<int>(c.y_label.size()) * font_width / 2, c.y_label,
                  ink_colour, true);
    }
}

double x_tick_step(const Chart& chart, Range x)
{
    const double step = step_of(chart, x);
    return chart.whole_x ? std::max(1.0, step) : step;
}

}  // namespace qm::plot
