// The frame's first layer: the backdrop, then the wind dial and its arrow
// and, on the flat map, the ground line.
#include "sim/background.h"

#include "raster/angles.h"
#include "raster/trig.h"
#include "sim/frame.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr COLORREF dial_outer_colour = 0x00E0E0E0;
constexpr COLORREF dial_inner_colour = 0x00C0C0C0;
constexpr COLORREF arrow_colour = 0x007070FF;     // light red
constexpr COLORREF flat_line_colour = 0x00FF0000;
constexpr int flat_line_pen_width = 2;

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
    return {dial_x + static_cast<int>(radius * qm::cos(a)), dial_y + static_cast<int>(radius * qm::sin(a))};
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
    draw_backdrop(world, cam_x, cam_y);
    draw_wind_dial(frame, world.wang);
    if (world.flat_map != 0) {
        MoveToEx(frame, 0, flat_ground_y - cam_y);
        LineTo(frame, Pen{flat_line_pen_width, flat_line_colour}, frame_width, flat_ground_y - cam_y);
    }
}

}  // namespace qm
