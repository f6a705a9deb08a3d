// Straight lines: the current position, LineTo, and the segment walker that
// polygon outlines share.
#include <algorithm>
#include <cstdlib>

#include "raster/raster.h"
#include "raster/surface.h"

namespace qm {

namespace raster {

namespace {

// A block in (major, minor) coordinates, both ends included.
struct Block {
    i64 m_lo, m_hi, q_lo, q_hi;
};

// A segment's footprints, each painted less what the one before it
// painted: a wide pen's neighbouring footprints overlap in all but a
// sliver, and the same colour painted again changes nothing.
class Footprints {
public:
    Footprints(Surface& s, COLORREF c, bool x_major) : s_(s), c_(c), x_major_(x_major) {}

    void paint(const Block& next)
    {
        const Block shared{std::max(next.m_lo, last_.m_lo), std::min(next.m_hi, last_.m_hi),
                           std::max(next.q_lo, last_.q_lo), std::min(next.q_hi, last_.q_hi)};
        if (!painted_ || shared.m_lo > shared.m_hi || shared.q_lo > shared.q_hi) {
            fill({next.m_lo, next.m_hi, next.q_lo, next.q_hi});
        } else {
            fill({next.m_lo, next.m_hi, next.q_lo, shared.q_lo - 1});
            fill({next.m_lo, next.m_hi, shared.q_hi + 1, next.q_hi});
            fill({next.m_lo, shared.m_lo - 1, shared.q_lo, shared.q_hi});
            fill({shared.m_hi + 1, next.m_hi, shared.q_lo, shared.q_hi});
        }
        painted_ = true;
        last_ = next;
    }

private:
    void fill(const Block& b)
    {
        if (b.m_lo > b.m_hi || b.q_lo > b.q_hi) return;
        if (x_major_) {
            fill_block(s_, b.m_lo, b.q_lo, b.m_hi, b.q_hi, c_);
        } else {
            fill_block(s_, b.q_lo, b.m_lo, b.q_hi, b.m_hi, c_);
        }
    }

    Surface& s_;
    COLORREF c_;
    bool x_major_;
    bool painted_ = false;
    Block last_{};
};

// Narrows [k_lo, k_hi] to the steps whose footprint, from mlo to mhi about
// the path pixel m0 + step * k, meets the surface along the major axis.
void steps_on_surface(i64 m0, i64 step, i64 mlo, i64 mhi, i64 major_size, i64& k_lo, i64& k_hi)
{
    if (step > 0) {
        k_lo = std::max(k_lo, -mhi - m0);
        k_hi = std::min(k_hi, major_size - 1 - mlo - m0);
    } else {
        k_lo = std::max(k_lo, m0 - (major_size - 1 - mlo));
        k_hi = std::min(k_hi, m0 + mhi);
    }
}

}  // namespace

// Walks the major axis (the longer of dx, dy). Step k puts the major
// coordinate at m0 + k * step and the minor one at the exact position rounded
// half up, q0 + floor((2 k dq + n) / 2n). Rounding half up in absolute terms
// makes a segment cover the same pixels whichever end it starts from (apart
// from the end point, which is never drawn). The minor coordinate is tracked
// incrementally after one exact start, so clipping never shifts a pixel.
void draw_segment(Surface& s, COLORREF c, i64 x0, i64 y0, i64 x1, i64 y1, PenReach reach, Nib nib)
{
    const i64 dx = x1 - x0;
    const i64 dy = y1 - y0;
    if (dx == 0 && dy == 0) return;
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const i64 m0 = x_major ? x0 : y0;
    const i64 q0 = x_major ? y0 : x0;
    const i64 dm = x_major ? dx : dy;
    const i64 dq = x_major ? dy : dx;
    const i64 n = std::llabs(dm);
    const i64 step = dm > 0 ? 1 : -1;
    const i64 major_size = x_major ? s.width() : s.height();

    // Footprint of one path pixel along (m) and across (q) the major axis.
    const i64 mlo = nib == Nib::square ? reach.lo : 0;
    const i64 mhi = nib == Nib::square ? reach.hi : 0;
    const i64 qlo = reach.lo;
    const i64 qhi = reach.hi;

    i64 k_lo = 0;
    i64 k_hi = n - 1;
    steps_on_surface(m0, step, mlo, mhi, major_size, k_lo, k_hi);
    if (k_lo > k_hi) return;

    Footprints footprints(s, c, x_major);
    auto plot = [&](i64 m_from, i64 m_to, i64 q) { footprints.paint({m_from + mlo, m_to + mhi, q + qlo, q + qhi}); };

    const i64 m_first = m0 + step * k_lo;
    const i64 m_last = m0 + step * k_hi;
    if (dq == 0) {
        plot(std::min(m_first, m_last), std::max(m_first, m_last), q0);
        return;
    }

    const i64 den = 2 * n;
    const i64 num = 2 * k_lo * dq + n;
    i64 off = floor_div(num, den);
    i64 rem = num - off * den;
    // Steps that keep the minor coordinate form a run, drawn as one block.
    i64 m = m_first;
    i64 run_first = m_first;
    for (i64 k = k_lo; k < k_hi; ++k) {
        const i64 run_off = off;
        rem += 2 * dq;
        if (rem >= den) {
            rem -= den;
            ++off;
        } else if (rem < 0) {
            rem += den;
            --off;
        }
        if (off != run_off) {
            plot(std::min(run_first, m), std::max(run_first, m), q0 + run_off);
            run_first = m + step;
        }
        m += step;
    }
    plot(std::min(run_first, m), std::max(run_first, m), q0 + off);
}

}  // namespace raster

void MoveToEx(Surface& s, int x, int y) { s.current = {x, y}; }

void LineTo(Surface& s, int x, int y) { LineTo(s, s.pen, x, y); }

void LineTo(Surface& s, const Pen& pen, int x, int y)
{
    raster::draw_segment(s, pen.color, raster::clamp_coord(s.current.x), raster::clamp_coord(s.current.y),
                         raster::clamp_coord(x), raster::clamp_coord(y), raster::pen_reach(pen), raster::Nib::across);
    s.current = {x, y};
}

}  // namespace qm
