// Fuzzes the drawing operations: with any coordinates, sizes and pens they
// must stay inside their surfaces and finish quickly, and (for coordinates
// of a sane size) a clipped shape must show exactly the pixels of the whole.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "raster/surface.h"

namespace {

using namespace qm;

constexpr int max_points = 8;

struct Shape {
    int kind = 0;
    int v[2 * max_points] = {};
    int count = 0;
    Pen pen;
    Brush brush;
    FillMode mode = FillMode::alternate;
};

Shape read_shape(FuzzedDataProvider& in, int lo, int hi)
{
    Shape s;
    s.kind = in.ConsumeIntegralInRange(0, 5);
    for (int& c : s.v) c = in.ConsumeIntegralInRange(lo, hi);
    s.count = in.ConsumeIntegralInRange(0, max_points);
    s.pen = Pen{in.ConsumeIntegralInRange(-2, 40), in.ConsumeIntegralInRange<COLORREF>(1, 0xFFFFFF)};
    s.brush = Brush{in.ConsumeIntegralInRange<COLORREF>(1, 0xFFFFFF)};
    s.mode = in.ConsumeBool() ? FillMode::winding : FillMode::alternate;
    return s;
}

// Draws the shape moved by (dx, dy); the caller keeps the sums in range.
void draw(Surface& surface, const Shape& s, int dx, int dy)
{
    const int* v = s.v;
    switch (s.kind) {
    case 0:
        Rectangle(surface, s.pen, s.brush, v[0] + dx, v[1] + dy, v[2] + dx, v[3] + dy);
        break;
    case 1:
        Ellipse(surface, s.pen, s.brush, v[0] + dx, v[1] + dy, v[2] + dx, v[3] + dy);
        break;
    case 2:
        Pie(surface, s.pen, s.brush, v[0] + dx, v[1] + dy, v[2] + dx, v[3] + dy, v[4] + dx, v[5] + dy, v[6] + dx,
            v[7] + dy);
        break;
    case 3: {
        POINT points[max_points];
        for (int i = 0; i < s.count; ++i) points[i] = {v[2 * i] + dx, v[2 * i + 1] + dy};
        surface.fill_mode = s.mode;
        Polygon(surface, s.pen, s.brush, points, s.count);
        break;
    }
    case 4:
        MoveToEx(surface, v[0] + dx, v[1] + dy);
        LineTo(surface, s.pen, v[2] + dx, v[3] + dy);
        break;
    default:
        TextOutA(surface, v[0] + dx, v[1] + dy, "Wg-120 x: y:", s.count + 4);
        break;
    }
}

// Any coordinates at all, on surfaces of a few sizes, and transfers
// between them: only safety is checked (the sanitizers do that).
void draw_anything(FuzzedDataProvider& in)
{
    Surface a(in.ConsumeIntegralInRange(0, 40), in.ConsumeIntegralInRange(0, 40));
    Surface b(in.ConsumeIntegralInRange(0, 40), in.ConsumeIntegralInRange(0, 40));
    const int raw_shapes = in.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < raw_shapes; ++i) {
        const Shape s = read_shape(in, INT32_MIN, INT32_MAX);
        draw(a, s, 0, 0);
    }
    int t[8];
    for (int& c : t) c = in.ConsumeIntegral<int>();
    BitBlt(b, t[0], t[1], t[2], t[3], a, t[4], t[5], in.ConsumeBool() ? Rop::srccopy : Rop::srcpaint);
    BitBlt(a, t[1], t[0], t[3], t[2], a, t[5], t[4], Rop::srcpaint);
    StretchBlt(b, t[0] % 100, t[1] % 100, t[2] % 300, t[3] % 300, a, t[4], t[5], t[6], t[7]);
    if (a.width() > 0) GetPixel(a, t[6], t[7]);
}

// Sane coordinates: a window onto the shape shows the same pixels as the
// whole drawing.
void draw_through_a_window(FuzzedDataProvider& in)
{
    constexpr int big = 64;
    constexpr int small = 16;
    const Shape s = read_shape(in, -3000, 3000);
    const int wx = in.ConsumeIntegralInRange(0, big - small);
    const int wy = in.ConsumeIntegralInRange(0, big - small);
    // Kept from input to input and cleared, rather than made anew: making
    // them was most of an input's work.
    static Surface whole(big, big);
    static Surface window(small, small);
    for (Surface* cleared : {&whole, &window}) {
        std::memset(cleared->row(0), 0, sizeof(COLORREF) * cleared->width() * cleared->height());
    }
    draw(whole, s, 0, 0);
    draw(window, s, -wx, -wy);
    // Row by row: the window's row against the whole's under it.
    for (int y = 0; y < small; ++y) {
        if (std::memcmp(window.row(y), whole.row(wy + y) + wx, small * sizeof(COLORREF)) != 0) std::abort();
    }
}

}  // namespace

// Each input is one of the two, picked by one of its bytes, so that an input
// costs one drawing's work.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool()) {
        draw_anything(in);
    } else {
        draw_through_a_window(in);
    }
    return 0;
}
