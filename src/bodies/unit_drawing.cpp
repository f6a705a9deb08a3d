// Drawing of the units on the frame: body, hit-point bar, damage text, and
// for the player the muzzle point and the aim gauge.
#include <cstdio>

#include "bodies/body_polygon.h"
#include "bodies/bot.h"
#include "raster/angles.h"
#include "raster/trig.h"

namespace qm {

namespace {

constexpr COLORREF target_fill = 0x002040E0;  // orange-red
constexpr COLORREF player_fill = 0x0040A020;  // medium green
constexpr COLORREF body_outline = 0x00000000;
constexpr COLORREF bar_frame_fill = 0x00000000;
constexpr COLORREF bar_frame_outline = 0x00FFFFFF;
constexpr COLORREF bar_colour = 0x0030E030;  // bright green

// The bar hangs under the contact point: a white frame from (-38, 8) to
// (39, 12) around a black inside 75 by 2 from (-37, 9).
constexpr int bar_frame_left = -38;
constexpr int bar_frame_top = 8;
constexpr int bar_frame_right = 39;
constexpr int bar_frame_bottom = 12;
constexpr int bar_left = -37;
constexpr int bar_top = 9;
constexpr int bar_bottom = 11;
constexpr int bar_length = 75;  // pixels at full hit points

constexpr int damage_text_rise = 100;  // the text's top edge above the contact point

// The muzzle: a pivot 90 pixels out from the contact point, then 71.02
// pixels on at 32.34 degrees, each leg truncated on its own.
constexpr double pivot_reach = 90.0;
constexpr double barrel_reach = 71.02;
constexpr double barrel_turn = 32.34;

}  // namespace

void bot::paint_body(COLORREF fill)
{
    POINT corners[body_corner_count];
    body_polygon(slope, pos_x - view_x, pos_y - view_y, corners);
    Polygon(*field->frame, Pen{0, body_outline}, Brush{fill}, corners, body_corner_count);
}

void bot::paint_hp_bar()
{
    const int sx = pos_x - view_x;
    const int sy = pos_y - view_y;
    Surface& frame = *field->frame;
    Rectangle(frame, Pen{0, bar_frame_outline}, Brush{bar_frame_fill}, sx + bar_frame_left, sy + bar_frame_top,
              sx + bar_frame_right, sy + bar_frame_bottom);
    const int w = hp * bar_length / full_hp;
    Rectangle(frame, Pen{0, bar_colour}, Brush{bar_colour}, sx + bar_left, sy + bar_top, sx + bar_left + w,
              sy + bar_bottom);
}

void bot::paint_damage_text()
{
    if (damage_ticks == 0) return;
    --damage_ticks;
    char text[16];
    const int length = std::snprintf(text, sizeof text, "-%d", damage_shown);
    TextOutA(*field->frame, pos_x - view_x, pos_y - view_y - damage_text_rise, text, length);
}

void bot::paint()
{
    paint_body(target_fill);
    paint_hp_bar();
    paint_damage_text();
}

void player::paint()
{
    const double f = facing;
    const double s = slope;
    const double a1 = (90 - 90 * facing) + s;
    const int pivot_x = pos_x + static_cast<int>(pivot_reach * qm::cos(radians(a1)));
    const int pivot_y = pos_y + static_cast<int>(pivot_reach * qm::sin(radians(a1)));
    const double a2 = (270 - 90 * facing) + f * barrel_turn + s;
    launch_x = pivot_x + static_cast<int>(barrel_reach * qm::cos(radians(a2)));
    launch_y = pivot_y + static_cast<int>(barrel_reach * qm::sin(radians(a2)));

    // The gauge goes under the body. Kept as it always was: drawing the player
    // is what sets its launch point, so a player not drawn fires from where
    // it was last drawn.
    field->scratch->gauge.draw(*field->frame, field->readings->vang, launch_x, launch_y, view_x, view_y, facing);
    paint_body(player_fill);
    if (field->readings->flat_map == 0) {
        paint_hp_bar();
        paint_damage_text();
    }
}

}  // namespace qm
