// Ellipses inscribed in their box and the pie wedges cut from them.
#include <cmath>
#include <cstdlib>
#include <utility>

#include "raster/raster.h"
#include "raster/region.h"
#include "raster/surface.h"

namespace qm {

namespace {

using raster::i64;
using raster::Spans;

// Boxes up to this size are measured exactly in 64-bit integers; larger ones
// (only ever partly visible) to double precision.
constexpr i64 exact_box_limit = i64{1} << 15;

constexpr i64 unbounded = i64{1} << 62;

// The ellipse of a box is the one inscribed in the box's area: pixel (x, y)
// belongs to it when its centre (x + 1/2, y + 1/2) lies inside or on the
// ellipse, so a one-pixel outline touches all four sides of the box. Offsets
// from the centre are kept doubled to stay whole numbers.
struct EllipseBox {
    i64 left = 0;
    i64 top = 0;
    i64 right = 0;
    i64 bottom = 0;

    i64 width() const { return right - left; }
    i64 height() const { return bottom - top; }
    // Doubled vertical offset of row y's pixel centres from the centre; the
    // horizontal one of pixel x is 2x + 1 - (left + right).
    i64 dy(i64 y) const { return 2 * y + 1 - (top + bottom); }

    // The pixels of row y, or none.
    Spans row(i64 y) const
    {
        Spans out;
        const i64 w = width();
        const i64 h = height();
        const i64 d_y = dy(y);
        const i64 rest = h * h - d_y * d_y;
        if (rest < 0) return out;
        // Largest doubled offset d with (d / w)^2 + (d_y / h)^2 <= 1.
        i64 d =
            static_cast<i64>(static_cast<double>(w) * std::sqrt(static_cast<double>(rest)) / static_cast<double>(h));
        if (w <= exact_box_limit && h <= exact_box_limit) {
            const i64 limit = w * w * rest;
            while (d > 0 && d * d * h * h > limit) --d;
            while ((d + 1) * (d + 1) * h * h <= limit) ++d;
        }
        // Offsets of pixel centres have the parity of w + 1.
        if ((d - w - 1) % 2 != 0) --d;
        if (d < 0) return out;
        out.add((left + right - 1 - d) / 2, (left + right - 1 + d) / 2);
        return out;
    }
};

EllipseBox make_box(int left, int top, int right, int bottom)
{
    EllipseBox box{raster::clamp_coord(left), raster::clamp_coord(top), raster::clamp_coord(right),
                   raster::clamp_coord(bottom)};
    if (box.left > box.right) std::swap(box.left, box.right);
    if (box.top > box.bottom) std::swap(box.top, box.bottom);
    return box;
}

// No pixel to draw: a box without area, or one the pen cannot reach the
// surface from (a crater stamped into the stripes it does not touch).
bool nothing_to_draw(const Surface& s, const Pen& pen, const EllipseBox& box)
{
    return box.width() == 0 || box.height() == 0 ||
           raster::misses_surface(s, raster::pen_reach(pen), box.left, box.top, box.right, box.bottom);
}

// A direction from the centre, doubled like the pixel offsets.
struct Ray {
    i64 x = 0;
    i64 y = 0;
};

// Screen y grows downward, so "counter-clockwise on screen" is the usual
// counter-clockwise turn with y negated: P lies counter-clockwise of V within
// half a turn when turn(V, P) > 0.
i64 turn(const Ray& v, const Ray& p) { return v.y * p.x - v.x * p.y; }

// The pixels x of row y whose direction P has turn(v, P) >= 0, as [lo, hi].
// turn(v, P) = v.y * (2x + 1 - (left + right)) - v.x * dy is linear in x.
void half_plane(const EllipseBox& box, const Ray& v, i64 y, i64& lo, i64& hi)
{
    const i64 t = v.x * box.dy(y) + v.y * (box.left + box.right - 1);
    lo = -unbounded;
    hi = unbounded;
    if (v.y > 0) {
        lo = raster::ceil_div(t, 2 * v.y);
    } else if (v.y < 0) {
        hi = raster::floor_div(-t, -2 * v.y);
    } else if (t > 0) {
        lo = unbounded;
        hi = -unbounded;
    }
}

}  // namespace

void Ellipse(Surface& s, int left, int top, int right, int bottom)
{
    Ellipse(s, s.pen, s.brush, left, top, right, bottom);
}

void Ellipse(Surface& s, const Pen& pen, const Brush& brush, int left, int top, int right, int bottom)
{
    const EllipseBox box = make_box(left, top, right, bottom);
    if (nothing_to_draw(s, pen, box)) return;
    raster::draw_region(s, pen, brush, box.top, box.bottom, [&](i64 y) { return box.row(y); });
}

void Pie(Surface& s, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye)
{
    Pie(s, s.pen, s.brush, left, top, right, bottom, xs, ys, xe, ye);
}

// The wedge holds the pixels of the ellipse whose direction from the centre
// lies on the counter-clockwise (on screen) sweep from the start radial to
// the end radial, both radials included; its border (arc and both radials)
// takes the pen. Equal directions, or a point on the centre, give the whole
// ellipse.
void Pie(Surface& s, const Pen& pen, const Brush& brush, int left, int top, int right, int bottom, int xs, int ys,
         int xe, int ye)
{
    const EllipseBox box = make_box(left, top, right, bottom);
    if (nothing_to_draw(s, pen, box)) return;
    const i64 cx2 = box.left + box.right;
    const i64 cy2 = box.top + box.bottom;
    const Ray start{2 * raster::clamp_coord(xs) - cx2, 2 * raster::clamp_coord(ys) - cy2};
    const Ray end{2 * raster::clamp_coord(xe) - cx2, 2 * raster::clamp_coord(ye) - cy2};
    const Ray end_back{-end.x, -end.y};  // turn(P, end) == turn(end_back, P)

    const i64 sweep = turn(start, end);
    const i64 along = start.x * end.x + start.y * end.y;
    const bool degenerate = (start.x == 0 && start.y == 0) || (end.x == 0 && end.y == 0);
    const bool whole = degenerate || (sweep == 0 && along > 0);
    // Up to half a turn the wedge is where both half planes meet, beyond it
    // where either holds.
    const bool reflex = sweep < 0;

    raster::draw_region(s, pen, brush, box.top, box.bottom, [&](i64 y) {
        const Spans ellipse = box.row(y);
        if (whole || ellipse.count == 0) return ellipse;
        i64 lo_s = 0;
        i64 hi_s = 0;
        i64 lo_e = 0;
        i64 hi_e = 0;
        half_plane(box, start, y, lo_s, hi_s);
        half_plane(box, end_back, y, lo_e, hi_e);
        Spans out;
        if (!reflex) {
            out.add(std::max({ellipse.from[0], lo_s, lo_e}), std::min({ellipse.to[0], hi_s, hi_e}));
            return out;
        }
        if (lo_s > lo_e) {
            std::swap(lo_s, lo_e);
            std::swap(hi_s, hi_e);
        }
        // The union of the two runs, as one run where they touch.
        Spans both;
        if (lo_e <= hi_s + 1) {
            both.add(lo_s, std::max(hi_s, hi_e));
        } else {
            both.add(lo_s, hi_s);
            both.add(lo_e, hi_e);
        }
        return raster::intersect(ellipse, both);
    });
}

}  // namespace qm
