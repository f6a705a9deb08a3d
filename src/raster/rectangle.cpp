// Rectangles: the box from (left, top) up to but excluding (right, bottom),
// filled with the brush and framed with the pen, one row at a time.
#include <utility>

#include "raster/raster.h"
#include "raster/surface.h"

namespace qm {

using raster::fill_span;
using raster::i64;

void Rectangle(Surface& s, int left, int top, int right, int bottom)
{
    Rectangle(s, s.pen, s.brush, left, top, right, bottom);
}

void Rectangle(Surface& s, const Pen& pen, const Brush& brush, int left, int top, int right, int bottom)
{
    i64 l = raster::clamp_coord(left);
    i64 t = raster::clamp_coord(top);
    i64 r = raster::clamp_coord(right);
    i64 b = raster::clamp_coord(bottom);
    // Swapped corners describe the same box; an empty box draws nothing.
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    if (l == r || t == b) return;

    // The one-pixel frame runs through the first and last column and row of
    // the box; a wider pen spreads across that path by lo..hi.
    const i64 last_x = r - 1;
    const i64 last_y = b - 1;
    const raster::PenReach reach = raster::pen_reach(pen);
    // Pen and brush alike (the clearing rectangles): one block.
    if (pen.color == brush.color) {
        raster::fill_block(s, l + reach.lo, t + reach.lo, last_x + reach.hi, last_y + reach.hi, pen.color);
        return;
    }
    const i64 y_begin = std::max<i64>(t + reach.lo, 0);
    const i64 y_end = std::min<i64>(last_y + reach.hi, s.height() - 1);
    for (i64 y = y_begin; y <= y_end; ++y) {
        if (y <= t + reach.hi || y >= last_y + reach.lo) {
            fill_span(s, y, l + reach.lo, last_x + reach.hi, pen.color);
        } else {
            fill_span(s, y, l + 1, last_x - 1, brush.color);
            fill_span(s, y, l + reach.lo, l + reach.hi, pen.color);
            fill_span(s, y, last_x + reach.lo, last_x + reach.hi, pen.color);
        }
    }
}

}  // namespace qm
