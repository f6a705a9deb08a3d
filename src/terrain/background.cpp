// Background drawing: sky and terrain composed in one pass (the stripes as if
// OR-ed over a black backing), a 100-pixel grid, the wind dial and its arrow.
#include "terrain/background.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include "core/world.h"
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
constexpr int grid_pen_width = 2;
constexpr int flat_line_pen_width = 2;
constexpr int terrain_width = stripe_count * stripe_size;  // world x -2400 to 2399
constexpr int flat_ground_y = 500;                         // the flat map's ground line

// The wind dial, fixed on screen: a ring between radius 18 and 25 round (400, 70).
constexpr int dial_x = 400;
constexpr int dial_y = 70;
constexpr int dial_inner_radius = 18;
constexpr int dial_outer_radius = 25;
constexpr double arrow_half_spread = 10.0;  // degrees either side of the wind direction

// Dial point at `radius` in screen direction `degrees` (frame y downward).
POINT dial_point(double radius, double degrees)
{
    double a = (degrees * pi) / 180;
    return {dial_x + static_cast<int>(radius * std::cos(a)), dial_y + static_cast<int>(radius * std::sin(a))};
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

}  // namespace

// Inside the backing, 0 | stripe is a plain copy; on its one-pixel outline
// the pen's colour is OR-ed in.
void draw_sky_and_terrain(World& world, int cam_x, int cam_y)
{
    Surface& frame = world.memoria;
    if (frame.empty()) return;
    // Both are fixed when the surface is made: 800 by 600, a one-pixel pen.
    assert(frame.width() == frame_width && frame.height() == frame_height);
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
                std::memcpy(row + x, stripe.row(stripe_y) + stripe_x, static_cast<std::size_t>(copied) * sizeof(COLORREF));
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
    }
}

namespace {

void draw_grid(Surface& frame, int cam_x, int cam_y)
{
    const Pen pen{grid_pen_width, grid_colour};
    // Truncating remainders keep the lines on world multiples of 100.
    const int r_x = cam_x % grid_spacing;
    const int r_y = cam_y % grid_spacing;
    for (int i = 0; i <= frame_width / grid_spacing; ++i) {
        MoveToEx(frame, grid_spacing * i - r_x, 1);
        LineTo(frame, pen, grid_spacing * i - r_x, frame_height);
    }
    for (int i = 0; i <= frame_height / grid_spacing; ++i) {
        MoveToEx(frame, 1, grid_spacing * i - r_y);
        LineTo(frame, pen, frame_width, grid_spacing * i - r_y);
    }
}

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
    draw_sky_and_terrain(world, cam_x, cam_y);
    draw_grid(frame, cam_x, cam_y);
    draw_wind_dial(frame, world.wang);
    if (world.flat_map != 0) {
        MoveToEx(frame, 0, flat_ground_y - cam_y);
        LineTo(frame, Pen{flat_line_pen_width, flat_line_colour}, frame_width, flat_ground_y - cam_y);
    }
}

}  // namespace qm
