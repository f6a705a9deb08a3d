// The aim gauge around the player's muzzle: shaded fans, limit marks, a yellow
// and a green band, a hub and the needle. The dial turns at half the aim
// angle's rate, so the needle sweeps across the bands and lies in the green
// one exactly for aim angles 30 to 70.
#include "bodies/aim_gauge.h"

#include "bodies/aim_gauge_shape.h"
#include "raster/angles.h"
#include "raster/trig.h"

namespace qm {

namespace {

// Directions of the wedges' radials are taken this far out; only their
// direction matters.
constexpr double radial_reach = 200.0;
constexpr double mark_inner = 21.0;
constexpr double mark_outer = 39.0;
constexpr double needle_base = 21.0;
constexpr double needle_tip = 39.0;

struct WedgeAngles {
    int start;  // degrees, before turning by the facing and the dial
    int end;
    COLORREF colour;
};

// Fans from 180 - 135 s - h to 180 + 45 s - h, then each 15 degrees narrower
// on both sides.
constexpr WedgeAngles fan_angles[4] = {
    {180, 180, 0x00D5C7C0},
    {165, 195, 0x00DACCC0},
    {150, 210, 0x00E0D2C6},
    {135, 225, 0x00FAECE1},
};
// Bands from start + 60 s - h to end + 60 s - h.
constexpr WedgeAngles band_angles[2] = {
    {290, 250, 0x0041CADA},  // yellow, 40 degrees
    {280, 260, 0x0041DA41},  // green, 20 degrees
};

constexpr COLORREF mark_colour = 0x00101010;
constexpr int mark_pen_width = 2;
constexpr COLORREF hub_colour = 0x00C0C0C0;
constexpr COLORREF needle_in_band = 0x007070FF;  // light red
constexpr COLORREF needle_outside = 0x00E000E0;  // magenta
constexpr double band_low = 30.0;  // aim angles whose needle lies in the green band
constexpr double band_high = 70.0;

POINT polar(double theta, double r)
{
    double a = radians(theta);
    return POINT{static_cast<int>(r * qm::cos(a)), static_cast<int>(r * qm::sin(a))};
}

POINT offset(POINT p, int cx, int cy)
{
    return POINT{p.x + cx, p.y + cy};
}

}  // namespace

AimGaugeShape aim_gauge_shape(double vang, int s)
{
    AimGaugeShape g{};
    const double h = s * (vang - 10) / 2;
    for (int i = 0; i < 4; ++i) {
        const WedgeAngles& f = fan_angles[i];
        g.fans[i] = {polar(f.start - 135 * s - h, radial_reach), polar(f.end + 45 * s - h, radial_reach), f.colour};
    }
    const double mark1 = 90 - 90 * s - h;
    const double mark2 = 270 - h;
    g.marks[0][0] = polar(mark1, mark_inner);
    g.marks[0][1] = polar(mark1, mark_outer);
    g.marks[1][0] = polar(mark2, mark_inner);
    g.marks[1][1] = polar(mark2, mark_outer);
    for (int i = 0; i < 2; ++i) {
        const WedgeAngles& b = band_angles[i];
        g.bands[i] = {polar(b.start + 60 * s - h, radial_reach), polar(b.end + 60 * s - h, radial_reach), b.colour};
    }
    g.needle[0] = polar(275 + 90 * s - s * vang, needle_base);
    g.needle[1] = polar(265 + 90 * s - s * vang, needle_base);
    g.needle[2] = polar(270 + 90 * s - s * vang, needle_tip);
    g.needle_colour = (vang >= band_low && vang <= band_high) ? needle_in_band : needle_outside;
    return g;
}

void draw_aim(Surface& frame, double vang, int x, int y, int view_x, int view_y, int s)
{
    const int cx = x - view_x;
    const int cy = y - view_y;
    const AimGaugeShape g = aim_gauge_shape(vang, s);
    const int left = cx - aim_dial_radius;
    const int top = cy - aim_dial_radius;
    const int right = cx + aim_dial_radius;
    const int bottom = cy + aim_dial_radius;

    auto wedge = [&](const AimWedge& w) {
        POINT a = offset(w.start, cx, cy);
        POINT b = offset(w.end, cx, cy);
        Pie(frame, Pen{0, w.colour}, Brush{w.colour}, left, top, right, bottom, a.x, a.y, b.x, b.y);
    };

    for (const AimWedge& fan : g.fans) wedge(fan);
    const Pen mark_pen{mark_pen_width, mark_colour};
    for (const auto& mark : g.marks) {
        MoveToEx(frame, mark[0].x + cx, mark[0].y + cy);
        LineTo(frame, mark_pen, mark[1].x + cx, mark[1].y + cy);
    }
    for (const AimWedge& band : g.bands) wedge(band);
    Ellipse(frame, Pen{0, hub_colour}, Brush{hub_colour}, cx - aim_hub_radius, cy - aim_hub_radius,
            cx + aim_hub_radius, cy + aim_hub_radius);
    POINT needle[3];
    for (int i = 0; i < 3; ++i) needle[i] = offset(g.needle[i], cx, cy);
    Polygon(frame, Pen{0, g.needle_colour}, Brush{g.needle_colour}, needle, 3);
}

}  // namespace qm
