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
    bool exact() const { return width() <= exact_box_limit && height() <= exact_box_limit; }
    // Doubled vertical offset of row y's pixel centres from the centre; the
    // horizontal one of pixel x is 2x + 1 - (left + right).
    i64 dy(i64 y) const { return 2 * y + 1 - (top + bottom); }
};

// The pixels of the ellipse's rows, asked for mostly top to bottom. Row y
// reaches the largest doubled offset d with (d / w)^2 + (d_y / h)^2 <= 1. In
// an exactly measured box that offset moves by a few steps from one row to
// the next, so a row that follows the one asked before starts its exact
// search from that row's offset instead of from a square root.
class EllipseRows {
public:
    explicit EllipseRows(const EllipseBox& box) : box_(box), w_(box.width()), h_(box.height()) {}

    Spans operator()(i64 y)
    {
        Spans out;
        i64 lo = 0;
        i64 hi = 0;
        if (extent(y, lo, hi)) out.add(lo, hi);
        return out;
    }

    // The pixels lo..hi of row y, or false for none.
    bool extent(i64 y, i64& lo, i64& hi)
    {
        const i64 d_y = box_.dy(y);
        const i64 rest = h_ * h_ - d_y * d_y;
        if (rest < 0) return false;
        i64 d = box_.exact() ? exact_offset(y, rest) : estimate(rest);
        // Offsets of pixel centres have the parity of w + 1.
        if ((d - w_ - 1) % 2 != 0) --d;
        if (d < 0) return false;
        lo = (box_.left + box_.right - 1 - d) / 2;
        hi = (box_.left + box_.right - 1 + d) / 2;
        return true;
    }

private:
    i64 estimate(i64 rest) const
    {
        return static_cast<i64>(static_cast<double>(w_) * std::sqrt(static_cast<double>(rest)) /
                                static_cast<double>(h_));
    }

    // The largest d >= 0 with d^2 h^2 <= w^2 rest; any start d >= 0 ends
    // there. The search keeps excess = d^2 h^2 - w^2 rest and grow =
    // (2d + 1) h^2, so a step of d is two additions, and so is the move to
    // the next row, whose w^2 rest is smaller by w^2 (4 d_y + 4). Within the
    // exact box limit every one of these numbers fits in 64 bits.
    i64 exact_offset(i64 y, i64 rest)
    {
        const i64 hh = h_ * h_;
        if (y == last_y_ + 1) {
            excess_ += w_ * w_ * (4 * box_.dy(last_y_) + 4);
        } else {
            d_ = estimate(rest);
            excess_ = d_ * d_ * hh - w_ * w_ * rest;
            grow_ = (2 * d_ + 1) * hh;
        }
        while (d_ > 0 && excess_ > 0) {
            grow_ -= 2 * hh;
            excess_ -= grow_;
            --d_;
        }
        while (excess_ + grow_ <= 0) {
            excess_ += grow_;
            grow_ += 2 * hh;
            ++d_;
        }
        last_y_ = y;
        return d_;
    }

    EllipseBox box_;
    i64 w_;
    i64 h_;
    i64 last_y_ = -unbounded;  // the row asked before, with its search state
    i64 d_ = 0;
    i64 excess_ = 0;
    i64 grow_ = 0;
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
// turn(v, P) = v.y * (2x + 1 - (left + right)) - v.x * dy is linear in x: the
// bound is t / (2 v.y) rounded inward, t = v.x * dy + v.y * (left + right - 1),
// and t grows by 2 v.x from one row to the next, so rows asked in order step
// the bound without dividing.
class HalfPlane {
public:
    HalfPlane(const EllipseBox& box, const Ray& v)
        : box_(box), v_(v), den_(v.y == 0 ? 1 : 2 * std::llabs(v.y)), bound_(numerator(box.top), step(), den_),
          next_y_(box.top)
    {
    }

    void row(i64 y, i64& lo, i64& hi)
    {
        lo = -unbounded;
        hi = unbounded;
        if (v_.y == 0) {
            if (v_.x * box_.dy(y) > 0) {
                lo = unbounded;
                hi = -unbounded;
            }
            return;
        }
        if (y != next_y_) bound_ = raster::FloorStepper(numerator(y), step(), den_);
        (v_.y > 0 ? lo : hi) = bound_.value();
        bound_.advance();
        next_y_ = y + 1;
    }

private:
    i64 t(i64 y) const { return v_.x * box_.dy(y) + v_.y * (box_.left + box_.right - 1); }
    // lo = ceil(t / den) for v.y > 0, hi = floor(-t / den) for v.y < 0, both
    // as the floor of numerator / den.
    i64 numerator(i64 y) const { return v_.y > 0 ? t(y) + den_ - 1 : -t(y); }
    i64 step() const { return v_.y > 0 ? 2 * v_.x : -2 * v_.x; }

    EllipseBox box_;
    Ray v_;
    i64 den_;
    raster::FloorStepper bound_;
    i64 next_y_;
};

}  // namespace

void Ellipse(Surface& s, int left, int top, int right, int bottom)
{
    Ellipse(s, s.pen, s.brush, left, top, right, bottom);
}

void Ellipse(Surface& s, const Pen& pen, const Brush& brush, int left, int top, int right, int bottom)
{
    const EllipseBox box = make_box(left, top, right, bottom);
    if (nothing_to_draw(s, pen, box)) return;
    EllipseRows rows(box);
    raster::draw_region(s, pen, brush, box.top, box.bottom, [&](i64 y) { return rows(y); });
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

    // Less than half a turn between two radials that both point up (or both
    // down) leaves the rows on the other side of the centre empty.
    i64 row_top = box.top;
    i64 row_bottom = box.bottom;
    if (sweep > 0 && start.y <= 0 && end.y <= 0) row_bottom = raster::floor_div(cy2 - 1, 2) + 1;  // dy <= 0
    if (sweep > 0 && start.y >= 0 && end.y >= 0) row_top = raster::ceil_div(cy2 - 1, 2);         // dy >= 0

    EllipseRows rows(box);
    HalfPlane after_start(box, start);
    HalfPlane before_end(box, end_back);
    // Every path returns the one row object, so that it is built in place.
    raster::draw_region(s, pen, brush, row_top, row_bottom, [&](i64 y) {
        Spans out;
        i64 lo = 0;
        i64 hi = 0;
        if (!rows.extent(y, lo, hi)) return out;
        if (whole) {
            out.add(lo, hi);
            return out;
        }
        i64 lo_s = 0;
        i64 hi_s = 0;
        i64 lo_e = 0;
        i64 hi_e = 0;
        after_start.row(y, lo_s, hi_s);
        before_end.row(y, lo_e, hi_e);
        if (!reflex) {
            out.add(std::max({lo, lo_s, lo_e}), std::min({hi, hi_s, hi_e}));
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
        Spans ellipse;
        ellipse.add(lo, hi);
        out = raster::intersect(ellipse, both);
        return out;
    });
}

}  // namespace qm
