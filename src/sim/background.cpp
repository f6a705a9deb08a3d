// Background drawing: sky, terrain (the stripes as if OR-ed over a black
// backing) and a 100-pixel grid composed in one pass, then the wind dial and
// its arrow. While the view stays where it is, a tick redraws only the
// pixels drawn over since the last one and the terrain that changed.
#include "sim/background.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include "raster/angles.h"
#include "sim/world.h"
#include "terrain/terrain_raster.h"

namespace qm {

namespace {

constexpr COLORREF backing_colour = 0x00000000;   // under the stripes, so OR shows them as stored
constexpr COLORREF grid_colour = 0x00C9CFC9;      // pale grey-green
constexpr COLORREF dial_outer_colour = 0x00E0E0E0;
constexpr COLORREF dial_inner_colour = 0x00C0C0C0;
constexpr COLORREF arrow_colour = 0x007070FF;     // light red
constexpr COLORREF flat_line_colour = 0x00FF0000;
constexpr int grid_spacing = 100;      // world pixels between grid lines
constexpr int flat_line_pen_width = 2;
constexpr int terrain_width = terrain_right - terrain_left;

// The wind dial, fixed on screen: a ring between radius 18 and 25 round (400, 70).
constexpr int dial_x = 400;
constexpr int dial_y = 70;
constexpr int dial_inner_radius = 18;
constexpr int dial_outer_radius = 25;
constexpr double arrow_half_spread = 10.0;  // degrees either side of the wind direction

// Dial point at `radius` in screen direction `degrees` (frame y downward).
POINT dial_point(double radius, double degrees)
{
    double a = radians(degrees);
    return {dial_x + static_cast<int>(radius * std::cos(a)), dial_y + static_cast<int>(radius * std::sin(a))};
}

// Kept out of line so that the copy goes to the C library's memcpy, which
// picks the machine's widest vector copy at run time.
[[gnu::noinline]] void copy_pixels(COLORREF* to, const COLORREF* from, int count)
{
    std::memcpy(to, from, static_cast<std::size_t>(count) * sizeof(COLORREF));
}

// One row of sky over frame columns [from, to): the standing brush inside,
// the standing pen's one-pixel outline along the frame's edges.
void sky_span(COLORREF* row, int y, int from, int to, COLORREF edge, COLORREF sky)
{
    if (from >= to) return;
    const COLORREF c = y == 0 || y == frame_height - 1 ? edge : sky;
    for (int x = from; x < to; ++x) row[x] = c;
    if (from == 0) row[0] = edge;
    if (to == frame_width) row[frame_width - 1] = edge;
}

// Where the grid lies in the frame. Each line is drawn from 1 to the far
// edge with a two-pixel pen, which covers its own pixel and the one before:
// a vertical line through column X covers columns X - 1 and X of rows 1 to
// 599, a horizontal one through row Y rows Y - 1 and Y of columns 1 to 799.
// Truncating remainders keep the lines on world multiples of 100.
struct Grid {
    static constexpr int vertical_lines = frame_width / grid_spacing + 1;
    static constexpr int horizontal_lines = frame_height / grid_spacing + 1;

    int columns[2 * vertical_lines] = {};
    int column_count = 0;
    bool on_row[frame_height] = {};  // rows a horizontal line covers
    POINT last_end;  // where the last line leaves the current position

    Grid(int cam_x, int cam_y)
    {
        const int r_x = cam_x % grid_spacing;
        const int r_y = cam_y % grid_spacing;
        for (int i = 0; i < vertical_lines; ++i) {
            const int x = grid_spacing * i - r_x;
            for (int c : {x - 1, x}) {
                if (c >= 0 && c < frame_width) columns[column_count++] = c;
            }
        }
        for (int i = 0; i < horizontal_lines; ++i) {
            const int y = grid_spacing * i - r_y;
            for (int r : {y - 1, y}) {
                if (r >= 0 && r < frame_height) on_row[r] = true;
            }
        }
        last_end = {frame_width, grid_spacing * (horizontal_lines - 1) - r_y};
    }

    // The grid's pixels among columns [from, to) of row y.
    void draw(COLORREF* row, int y, int from, int to) const
    {
        if (on_row[y]) {
            for (int x = std::max(from, 1); x < to; ++x) row[x] = grid_colour;
        }
        if (y < 1) return;
        for (int i = 0; i < column_count; ++i) {
            if (columns[i] >= from && columns[i] < to) row[columns[i]] = grid_colour;
        }
    }
};

// Everything the backdrop of one view needs: the grid, the frame's standing
// colours, and the black backing under the stripes in frame coordinates
// (right and bottom excluded) with the columns of it that show.
struct View {
    View(const World& world, int cam_x, int cam_y)
        : grid(cam_x, cam_y),
          edge(world.memoria.pen.color),
          sky(world.memoria.brush.color),
          left(static_cast<long long>(terrain_left) - cam_x),
          right(left + terrain_width),
          top(static_cast<long long>(terrain_top) - cam_y),
          bottom(top + stripe_size),
          x_begin(static_cast<int>(std::clamp<long long>(left, 0, frame_width))),
          x_end(static_cast<int>(std::clamp<long long>(right, 0, frame_width)))
    {
    }

    Grid grid;
    COLORREF edge;
    COLORREF sky;
    long long left;
    long long right;
    long long top;
    long long bottom;
    int x_begin;
    int x_end;
};

// Columns [from, to) of frame row y. Inside the backing, 0 | stripe is a
// plain copy; on its one-pixel outline the pen's colour is OR-ed in. The
// grid goes over the row while it is at hand. Drawing a span again gives the
// same pixels, so spans may overlap.
void compose_span(World& world, const View& v, int y, int from, int to)
{
    COLORREF* row = world.memoria.row(y);
    const int t_begin = std::clamp(v.x_begin, from, to);
    const int t_end = std::clamp(v.x_end, from, to);
    if (y < v.top || y >= v.bottom || t_begin >= t_end) {
        sky_span(row, y, from, to, v.edge, v.sky);
        v.grid.draw(row, y, from, to);
        return;
    }
    sky_span(row, y, from, t_begin, v.edge, v.sky);
    sky_span(row, y, t_end, to, v.edge, v.sky);

    const int stripe_y = static_cast<int>(y - v.top);
    for (int x = t_begin; x < t_end;) {
        const int terrain_x = static_cast<int>(x - v.left);
        const Surface& stripe = world.ground[terrain_x / stripe_size];
        const int stripe_x = terrain_x % stripe_size;
        const int run = std::min(stripe_size - stripe_x, t_end - x);
        // A stripe smaller than its place (one never made) leaves the backing.
        int copied = 0;
        if (stripe_y < stripe.height()) {
            copied = std::clamp(stripe.width() - stripe_x, 0, run);
            copy_pixels(row + x, stripe.row(stripe_y) + stripe_x, copied);
        }
        for (int i = copied; i < run; ++i) row[x + i] = backing_colour;
        x += run;
    }

    if (y == v.top || y == v.bottom - 1) {
        for (int x = t_begin; x < t_end; ++x) row[x] |= v.edge;
    } else {
        if (v.left >= t_begin && v.left < t_end) row[v.left] |= v.edge;
        if (v.right - 1 >= t_begin && v.right - 1 < t_end) row[v.right - 1] |= v.edge;
    }
    v.grid.draw(row, y, from, to);
}

// Adds to `spans` (one per frame row) where the stripes changed since the
// frame last showed them (craters), as frame columns.
void add_terrain_changes(const World& world, const View& v, RowSpan* spans)
{
    for (int i = 0; i < stripe_count; ++i) {
        const Surface& stripe = world.ground[i];
        const long long stripe_left = v.left + static_cast<long long>(i) * stripe_size;
        for (int r = stripe.first_changed_row(); r < stripe.last_changed_row(); ++r) {
            const long long y = v.top + r;
            const RowSpan& c = stripe.changed(r);
            if (y < 0 || y >= frame_height || c.empty()) continue;
            spans[y].add(static_cast<int>(std::clamp<long long>(stripe_left + c.from, 0, frame_width)),
                         static_cast<int>(std::clamp<long long>(stripe_left + c.to, 0, frame_width)));
        }
    }
}

// The frame shows the backdrop of this very view, with whatever was drawn
// over it since marked as changed: redraws those pixels and the terrain
// that changed under them.
void redraw_changes(World& world, const View& v)
{
    const Surface& frame = world.memoria;
    RowSpan spans[frame_height];
    for (int y = frame.first_changed_row(); y < frame.last_changed_row(); ++y) spans[y] = frame.changed(y);
    add_terrain_changes(world, v, spans);
    for (int y = 0; y < frame_height; ++y) {
        if (!spans[y].empty()) compose_span(world, v, y, spans[y].from, spans[y].to);
    }
}

// The frame still shows the last backdrop's view in the same colours.
bool same_view(const BackdropView& last, int cam_x, int cam_y, const View& v)
{
    return last.drawn && last.cam_x == cam_x && last.cam_y == cam_y && last.edge == v.edge && last.sky == v.sky;
}

}  // namespace

void draw_backdrop(World& world, int cam_x, int cam_y)
{
    Surface& frame = world.memoria;
    const View v(world, cam_x, cam_y);
    frame.current = v.grid.last_end;
    // The frame is made 800 by 600 with a one-pixel pen (init_DCs); before
    // it is made there is nothing to draw on.
    if (frame.width() != frame_width || frame.height() != frame_height) return;
    assert(frame.pen.width <= 1);

    BackdropView& last = world.backdrop;
    if (same_view(last, cam_x, cam_y, v)) {
        redraw_changes(world, v);
    } else {
        for (int y = 0; y < frame_height; ++y) compose_span(world, v, y, 0, frame_width);
    }
    frame.clear_changed();
    for (Surface& stripe : world.ground) stripe.clear_changed();
    last = BackdropView{true, cam_x, cam_y, v.edge, v.sky};
}

void forget_backdrop(World& world) { world.backdrop = BackdropView{}; }

namespace {

void draw_wind_dial(Surface& frame, double wang)
{
    Ellipse(frame, Pen{0, dial_outer_colour}, Brush{dial_outer_colour}, dial_x - dial_outer_radius,
            dial_y - dial_outer_radius, dial_x + dial_outer_radius, dial_y + dial_outer_radius);
    Ellipse(frame, Pen{0, dial_inner_colour}, Brush{dial_inner_colour}, dial_x - dial_inner_radius,
            dial_y - dial_inner_radius, dial_x + dial_inner_radius, dial_y + dial_inner_radius);
    // Frame y grows downward, so the screen angle is 360 minus the wind's.
    const POINT arrow[3] = {
        dial_point(dial_inner_radius, 360 + arrow_half_spread - wang),
        dial_point(dial_inner_radius, 360 - arrow_half_spread - wang),
        dial_point(dial_outer_radius, 360 - wang),
    };
    Polygon(frame, Pen{0, arrow_colour}, Brush{arrow_colour}, arrow, 3);
}

}  // namespace

void draw_background(World& world, int cam_x, int cam_y)
{
    Surface& frame = world.memoria;
    draw_backdrop(world, cam_x, cam_y);
    draw_wind_dial(frame, world.wang);
    if (world.flat_map != 0) {
        MoveToEx(frame, 0, flat_ground_y - cam_y);
        LineTo(frame, Pen{flat_line_pen_width, flat_line_colour}, frame_width, flat_ground_y - cam_y);
    }
}

}  // namespace qm
