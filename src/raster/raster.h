// Helpers the shape, line and transfer code share: the coordinate range,
// exact integer division, clipped row spans and the footprint of a pen.
#pragma once

#include <algorithm>
#include <cstdint>

#include "raster/surface.h"

namespace qm::raster {

using i64 = std::int64_t;

// Shape coordinates are clamped to +-2^24 before any arithmetic so that every
// product the rasterisers form fits in 64 bits. Shapes inside that range are
// drawn exactly; a rectangle stays exact whatever its coordinates.
constexpr i64 coord_limit = i64{1} << 24;

// Pens wider than this are drawn this wide; the system uses widths 0 to 2.
constexpr int max_pen_width = 32;

inline i64 clamp_coord(int v) { return std::clamp<i64>(v, -coord_limit, coord_limit); }

// Division rounding toward minus infinity and toward plus infinity; b > 0.
inline i64 floor_div(i64 a, i64 b)
{
    i64 q = a / b;
    if (a % b != 0 && a < 0) --q;
    return q;
}
inline i64 ceil_div(i64 a, i64 b) { return -floor_div(-a, b); }

// floor(n / den) for a numerator n that grows by the same step again and
// again (a shape's bound from one row to the next), kept as quotient and
// remainder so that a step costs no division; den > 0. A default one is
// unset, for stack arrays of which only some entries are used.
class FloorStepper {
public:
    FloorStepper() = default;
    FloorStepper(i64 n, i64 step, i64 den)
        : quot_(floor_div(n, den)), rem_(n - quot_ * den), step_quot_(floor_div(step, den)),
          step_rem_(step - step_quot_ * den), den_(den)
    {
    }

    i64 value() const { return quot_; }

    void advance()
    {
        // Without a branch: the carry comes as often as not.
        rem_ += step_rem_;
        const i64 carry = rem_ >= den_ ? 1 : 0;
        rem_ -= carry * den_;
        quot_ += step_quot_ + carry;
    }

private:
    i64 quot_;
    i64 rem_;  // 0 <= rem_ < den_
    i64 step_quot_;
    i64 step_rem_;  // 0 <= step_rem_ < den_
    i64 den_;
};

// Stores c in pixels x0..x1 (both included) of row y, clipped to the surface.
// The loop is kept plain so the compiler vectorises it.
inline void fill_span(Surface& s, i64 y, i64 x0, i64 x1, COLORREF c)
{
    if (y < 0 || y >= s.height()) return;
    x0 = std::max<i64>(x0, 0);
    x1 = std::min<i64>(x1, s.width() - 1);
    if (x0 > x1) return;
    s.mark_changed(static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1 + 1));
    COLORREF* p = s.row(static_cast<int>(y)) + x0;
    const i64 n = x1 - x0 + 1;
    for (i64 i = 0; i < n; ++i) p[i] = c;
}

// Stores c in the block x0..x1 by y0..y1 (all included), clipped once. Rows
// that span the whole width lie end to end and are filled as one run.
inline void fill_block(Surface& s, i64 x0, i64 y0, i64 x1, i64 y1, COLORREF c)
{
    x0 = std::max<i64>(x0, 0);
    x1 = std::min<i64>(x1, s.width() - 1);
    y0 = std::max<i64>(y0, 0);
    y1 = std::min<i64>(y1, s.height() - 1);
    if (x0 > x1 || y0 > y1) return;
    s.mark_changed(static_cast<int>(y0), static_cast<int>(y1 + 1), static_cast<int>(x0), static_cast<int>(x1 + 1));
    const i64 stride = s.width();
    i64 n = x1 - x0 + 1;
    i64 rows = y1 - y0 + 1;
    if (n == stride) {
        n *= rows;
        rows = 1;
    }
    COLORREF* p = s.row(static_cast<int>(y0)) + x0;
    for (i64 j = 0; j < rows; ++j, p += stride) {
        for (i64 i = 0; i < n; ++i) p[i] = c;
    }
}

// How a pen of width w lies on a one-pixel path: it covers the offsets lo..hi
// across the path, lo = -(w / 2), hi = (w - 1) / 2. A width-2 pen thus covers
// the path pixel and the one before it (above or to the left), which is a
// stroke centred half a pixel up and left of the path.
struct PenReach {
    int lo = 0;
    int hi = 0;
};

inline PenReach pen_reach(const Pen& pen)
{
    const int w = std::clamp(pen.width, 1, max_pen_width);
    return {-(w / 2), (w - 1) / 2};
}

// What each pixel of a one-pixel path grows into under a wider pen: offsets
// across the path only (open lines, which keep their length), or a square of
// offsets in both directions (outlines of closed shapes, whose corners then
// stay closed).
enum class Nib { across, square };

// The segment from (x0, y0) to (x1, y1) without its end point, in colour c.
// Coordinates must lie within +-coord_limit.
void draw_segment(Surface& s, COLORREF c, i64 x0, i64 y0, i64 x1, i64 y1, PenReach reach, Nib nib);

}  // namespace qm::raster
