// Block transfers between surfaces: plain and OR-combined copies, and the
// nearest-neighbour stretch, each clipped to both surfaces.
#include <algorithm>
#include <cstring>

#include "raster/raster.h"
#include "raster/surface.h"

namespace qm {

namespace {

using raster::i64;

// Cuts [pos, pos + len) and its partner [src, src + len) so that both stay
// within [0, limit) and [0, src_limit); false when nothing is left.
bool clip_axis(i64& pos, i64& src, i64& len, i64 limit, i64 src_limit)
{
    const i64 cut_front = std::max({i64{0}, -pos, -src});
    pos += cut_front;
    src += cut_front;
    len -= cut_front;
    len = std::min({len, limit - pos, src_limit - src});
    return len > 0;
}

void or_row(COLORREF* __restrict dst, const COLORREF* __restrict src, i64 n)
{
    for (i64 i = 0; i < n; ++i) dst[i] |= src[i];
}

}  // namespace

void BitBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int src_x, int src_y, Rop rop)
{
    i64 dx = x;
    i64 dy = y;
    i64 sx = src_x;
    i64 sy = src_y;
    i64 w = width;
    i64 h = height;
    if (!clip_axis(dx, sx, w, dst.width(), src.width())) return;
    if (!clip_axis(dy, sy, h, dst.height(), src.height())) return;
    dst.mark_changed(static_cast<int>(dy), static_cast<int>(dy + h), static_cast<int>(dx), static_cast<int>(dx + w));

    // Within one surface the rows and pixels are taken in the order that
    // reads every source pixel before it is overwritten.
    const bool same = &dst == &src;
    const bool upward = same && dy > sy;
    for (i64 j = 0; j < h; ++j) {
        const i64 row = upward ? h - 1 - j : j;
        COLORREF* d = dst.row(static_cast<int>(dy + row)) + dx;
        const COLORREF* s = src.row(static_cast<int>(sy + row)) + sx;
        if (rop == Rop::srccopy) {
            std::memmove(d, s, static_cast<std::size_t>(w) * sizeof(COLORREF));
        } else if (!same) {
            or_row(d, s, w);
        } else if (d > s) {
            for (i64 i = w - 1; i >= 0; --i) d[i] |= s[i];
        } else {
            for (i64 i = 0; i < w; ++i) d[i] |= s[i];
        }
    }
}

// Destination pixel i of a run takes source pixel floor((2i + 1) * src_len /
// (2 len)), the one under its centre. Mirroring (negative sizes) is not
// supported: such a call draws nothing.
void StretchBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int src_x, int src_y,
                int src_width, int src_height)
{
    if (width <= 0 || height <= 0 || src_width <= 0 || src_height <= 0) return;
    const i64 w = width;
    const i64 h = height;
    const i64 sw = src_width;
    const i64 sh = src_height;
    const i64 i_begin = std::max<i64>(0, -i64{x});
    const i64 i_end = std::min<i64>(w, dst.width() - i64{x});
    const i64 j_begin = std::max<i64>(0, -i64{y});
    const i64 j_end = std::min<i64>(h, dst.height() - i64{y});
    if (i_begin >= i_end || j_begin >= j_end) return;
    dst.mark_changed(static_cast<int>(y + j_begin), static_cast<int>(y + j_end), static_cast<int>(x + i_begin),
                     static_cast<int>(x + i_end));

    // A row taken from the same source row as the one above is a copy of it,
    // when every pixel of the run comes from inside the source.
    const bool rows_repeat = &dst != &src && src_x >= 0 && i64{src_x} + sw <= src.width();
    i64 last_sy = -1;
    for (i64 j = j_begin; j < j_end; ++j) {
        const i64 sy = src_y + (2 * j + 1) * sh / (2 * h);
        if (sy < 0 || sy >= src.height()) continue;
        COLORREF* d = dst.row(static_cast<int>(y + j));
        if (sy == last_sy && rows_repeat) {
            std::memcpy(d + (x + i_begin), dst.row(static_cast<int>(y + j - 1)) + (x + i_begin),
                        static_cast<std::size_t>(i_end - i_begin) * sizeof(COLORREF));
            continue;
        }
        last_sy = sy;
        const COLORREF* s = src.row(static_cast<int>(sy));
        // Source column tracked as quotient and remainder of the numerator.
        const i64 den = 2 * w;
        i64 num = (2 * i_begin + 1) * sw;
        i64 q = num / den;
        i64 r = num % den;
        const i64 q_step = (2 * sw) / den;
        const i64 r_step = (2 * sw) % den;
        for (i64 i = i_begin; i < i_end; ++i) {
            const i64 sx = src_x + q;
            if (sx >= 0 && sx < src.width()) d[x + i] = s[sx];
            q += q_step;
            r += r_step;
            if (r >= den) {
                r -= den;
                ++q;
            }
        }
    }
}

}  // namespace qm
