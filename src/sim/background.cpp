// Background drawing: sky, terrain (the stripes as if OR-ed over a black
// backing) and a 100-pixel grid composed in one pass, then the wind dial and
// its arrow.
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
    int rows[2 * horizontal_lines] = {};
    int row_count = 0;
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
                if (r >= 0 && r < frame_height) rows[row_count++] = r;
            }
        }
        last_end = {frame_width, grid_spacing * (horizontal_lines - 1) - r_y};
    }

    bool line_row(int y) const
    {
        for (int i = 0; i < row_count; ++i) {
            if (rows[i] == y) return true;
        }
        return false;
    }

    void draw(COLORREF* row, int y) const
    {
        if (line_row(y)) {
            for (int x = 1; x < frame_width; ++x) row[x] = grid_colour;
        }
        if (y >= 1) {
            for (int i = 0; i < column_count; ++i) row[columns[i]] = grid_colour;
        }
    }
};

}  // namespace

// Inside the backing, 0 | stripe is a plain copy; on its one-pixel outline
// the pen's colour is OR-ed in. The grid goes over each row while the row is
// at hand.
void draw_backdrop(World& world, int cam_x, int cam_y)
{
    Surface& frame = world.memoria;
    const Grid grid(cam_x, cam_y);
    frame.current = grid.last_end;
    // The frame is made 800 by 600 with a one-pixel pen (init_DCs); before
    // it is made there is nothing to draw on.
    if (frame.width() != frame_width || frame.height() != frame_height) return;
    assert(frame.pen.width <= 1);
    const COLORREF edge = frame.pen.color;
    const COLORREF sky = frame.brush.color;

    // The backing in frame coordinates, right and bottom excluded, and the
    // part of it that shows.
    const long long left = static_cast<long long>(terrain_left) - cam_x;
    const long long right = left + terrain_width;
    const long long top = static_cast<long long>(terrain_top) - cam_y;
    const long long bottom = top + stripe_size;
    const int x_begin = static_cast<int>(std::clamp<long long>(left, 0, frame_width));
    const int x_end = static_cast<int>(std::clamp<long long>(right, 0, frame_width));

    for (int y = 0; y < frame_height; ++y) {
        COLORREF* row = frame.row(y);
        if (y < top || y >= bottom || x_begin >= x_end) {
            sky_span(row, y, 0, frame_width, edge, sky);
            grid.draw(row, y);
            continue;
        }
        sky_span(row, y, 0, x_begin, edge, sky);
        sky_span(row, y, x_end, frame_width, edge, sky);

        const int stripe_y = static_cast<int>(y - top);
        for (int x = x_begin; x < x_end;) {
            const int terrain_x = static_cast<int>(x - left);
            const Surface& stripe = world.ground[terrain_x / stripe_size];
            const int stripe_x = terrain_x % stripe_size;
            const int run = std::min(stripe_size - stripe_x, x_end - x);
            // A stripe smaller than its place (one never made) leaves the backing.
            int copied = 0;
            if (stripe_y < stripe.height()) {
                copied = std::clamp(stripe.width() - stripe_x, 0, run);
                copy_pixels(row + x, stripe.row(stripe_y) + stripe_x, copied);
            }
            for (int i = copied; i < run; ++i) row[x + i] = backing_colour;
            x += run;
        }

        if (y == top || y == bottom - 1) {
            for (int x = x_begin; x < x_end; ++x) row[x] |= edge;
        } else {
            if (left >= 0 && left < frame_width) row[left] |= edge;
            if (right - 1 >= 0 && right - 1 < frame_width) row[right - 1] |= edge;
        }
        grid.draw(row, y);
    }
}

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
