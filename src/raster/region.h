// Shapes given row by row as a few spans (ellipses and pie wedges): the
// brush fills the pixels inside, the pen draws the pixels on the border.
#pragma once

#include <algorithm>

#include "raster/raster.h"
#include "raster/surface.h"

namespace qm::raster {

// Sorted, disjoint runs of pixels of one row, both ends included.
struct Spans {
    static constexpr int capacity = 8;
    int count = 0;
    i64 from[capacity];  // only the first count entries are set
    i64 to[capacity];

    void add(i64 a, i64 b)
    {
        if (a > b || count == capacity) return;
        from[count] = a;
        to[count] = b;
        ++count;
    }
};

inline Spans intersect(const Spans& p, const Spans& q)
{
    Spans out;
    int i = 0;
    int j = 0;
    while (i < p.count && j < q.count) {
        out.add(std::max(p.from[i], q.from[j]), std::min(p.to[i], q.to[j]));
        if (p.to[i] < q.to[j]) {
            ++i;
        } else {
            ++j;
        }
    }
    return out;
}

// The runs of p outside the runs of q.
inline Spans subtract(const Spans& p, const Spans& q)
{
    Spans out;
    int j = 0;
    for (int i = 0; i < p.count; ++i) {
        i64 start = p.from[i];
        while (j < q.count && q.to[j] < start) ++j;
        int k = j;
        for (; k < q.count && q.from[k] <= p.to[i]; ++k) {
            out.add(start, q.from[k] - 1);
            start = q.to[k] + 1;
        }
        out.add(start, p.to[i]);
    }
    return out;
}

// Each run without its two end pixels.
inline Spans shrink(const Spans& p)
{
    Spans out;
    for (int i = 0; i < p.count; ++i) out.add(p.from[i] + 1, p.to[i] - 1);
    return out;
}

// Each run grown by lo..hi, runs that then meet or touch merged.
inline Spans grow(const Spans& p, PenReach reach)
{
    Spans out;
    for (int i = 0; i < p.count; ++i) {
        const i64 a = p.from[i] + reach.lo;
        const i64 b = p.to[i] + reach.hi;
        if (out.count > 0 && a <= out.to[out.count - 1] + 1) {
            out.to[out.count - 1] = std::max(out.to[out.count - 1], b);
        } else {
            out.add(a, b);
        }
    }
    return out;
}

// Paints the runs of rows given one after another, each grown by a pen's
// square: a run's square covers rows y+lo..y+hi. Squares of neighbouring
// rows share all but one row, so on those only what the row before did not
// paint is painted: each pixel about once, whatever the pen's width, and
// the same pixels as painting every square whole.
class SquareStamps {
public:
    SquareStamps(Surface& s, PenReach reach, COLORREF c) : s_(s), reach_(reach), c_(c) {}

    void row(i64 y, const Spans& runs)
    {
        const Spans grown = grow(runs, reach_);
        const bool follows = has_previous_ && y == previous_y_ + 1;
        const i64 shared_last = y + reach_.hi - 1;  // the last row the previous squares reach
        for (int i = 0; i < grown.count; ++i) {
            if (!follows) {
                fill_block(s_, grown.from[i], y + reach_.lo, grown.to[i], y + reach_.hi, c_);
                continue;
            }
            fill_block(s_, grown.from[i], y + reach_.hi, grown.to[i], y + reach_.hi, c_);
            if (shared_last < y + reach_.lo) continue;
            // The parts of this run the previous row's grown runs leave out.
            i64 start = grown.from[i];
            for (int j = 0; j < previous_.count && start <= grown.to[i]; ++j) {
                if (previous_.to[j] < start) continue;
                if (previous_.from[j] > grown.to[i]) break;
                fill_block(s_, start, y + reach_.lo, previous_.from[j] - 1, shared_last, c_);
                start = previous_.to[j] + 1;
            }
            fill_block(s_, start, y + reach_.lo, grown.to[i], shared_last, c_);
        }
        previous_ = grown;
        previous_y_ = y;
        has_previous_ = true;
    }

private:
    Surface& s_;
    PenReach reach_;
    COLORREF c_;
    bool has_previous_ = false;
    i64 previous_y_ = 0;
    Spans previous_;
};

// Whether a shape within the box [left, right) by [top, bottom), its border
// drawn with a pen of the given reach, leaves no pixel on the surface.
inline bool misses_surface(const Surface& s, PenReach reach, i64 left, i64 top, i64 right, i64 bottom)
{
    return right - 1 + reach.hi < 0 || left + reach.lo >= s.width() || bottom - 1 + reach.hi < 0 ||
           top + reach.lo >= s.height();
}

// Draws the shape whose rows top..bottom-1 hold the spans row_spans(y). A
// pixel of the shape is on its border when one of its four neighbours is not
// in the shape; the border is a thin, 8-connected line that takes the pen,
// the rest takes the brush. A wider pen grows the border by a square of
// offsets lo..hi, drawn after the brush.
template <class RowSpans>
void draw_region(Surface& s, const Pen& pen, const Brush& brush, i64 top, i64 bottom, RowSpans row_spans)
{
    const PenReach reach = pen_reach(pen);
    // A pen of the brush's colour: every pixel of the shape grown by the
    // pen's square, since growing an inside pixel reaches nothing that the
    // growth of the border does not (walk from it toward the target: the
    // first pixel off the inside is a border pixel nearer the target). A
    // one-pixel pen thus leaves just the shape's own rows.
    if (pen.color == brush.color) {
        const i64 y_begin = std::max<i64>(top, -reach.hi);
        const i64 y_end = std::min<i64>(bottom - 1, s.height() - 1 - reach.lo);
        SquareStamps stamps(s, reach, pen.color);
        for (i64 y = y_begin; y <= y_end; ++y) stamps.row(y, row_spans(y));
        return;
    }
    auto spans = [&](i64 y) { return y < top || y >= bottom ? Spans{} : row_spans(y); };

    // One pass handles pens that reach no lower than their row; others
    // spread below rows whose brush is still to come, so brush goes first.
    enum Work { brush_part = 1, pen_part = 2 };
    auto pass = [&](int work) {
        const i64 y_begin = std::max<i64>(top, -reach.hi);
        const i64 y_end = std::min<i64>(bottom - 1, s.height() - 1 - reach.lo);
        if (y_begin > y_end) return;
        Spans above = spans(y_begin - 1);
        Spans here = spans(y_begin);
        SquareStamps stamps(s, reach, pen.color);
        for (i64 y = y_begin; y <= y_end; ++y) {
            const Spans below = spans(y + 1);
            const Spans inside = intersect(intersect(shrink(here), above), below);
            if (work & brush_part) {
                for (int i = 0; i < inside.count; ++i) fill_span(s, y, inside.from[i], inside.to[i], brush.color);
            }
            if (work & pen_part) stamps.row(y, subtract(here, inside));
            above = here;
            here = below;
        }
    };
    if (reach.hi == 0) {
        pass(brush_part | pen_part);
    } else {
        pass(brush_part);
        pass(pen_part);
    }
}

}  // namespace qm::raster
