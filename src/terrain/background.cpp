// Background drawing: sky, black backing under the stripes, the stripes
// combined by OR, a 100-pixel grid, the wind dial and its arrow.
#include "terrain/background.h"

#include <cmath>

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

void draw_terrain(World& world, int cam_x, int cam_y)
{
    Surface& frame = world.memoria;
    Rectangle(frame, frame.pen, Brush{backing_colour}, terrain_left - cam_x, terrain_top - cam_y,
              terrain_left + terrain_width - cam_x, terrain_top + stripe_size - cam_y);
    for (int i = 0; i < stripe_count; ++i) {
        BitBlt(frame, stripe_size * i - cam_x + terrain_left, terrain_top - cam_y, stripe_size, stripe_size,
               world.ground[i], 0, 0, Rop::srcpaint);
    }
}

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
    Rectangle(frame, 0, 0, frame_width, frame_height);  // sky, with the standing brush and pen
    draw_terrain(world, cam_x, cam_y);
    draw_grid(frame, cam_x, cam_y);
    draw_wind_dial(frame, world.wang);
    if (world.flat_map != 0) {
        MoveToEx(frame, 0, flat_ground_y - cam_y);
        LineTo(frame, Pen{flat_line_pen_width, flat_line_colour}, frame_width, flat_ground_y - cam_y);
    }
}

}  // namespace qm
