// Cost of composing one frame with the surface operations a tick uses, and
// the two floors every tick stands on: one plain fill of the frame and one
// row-by-row copy of it from the terrain stripes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "bodies/aim_gauge.h"
#include "sim/init_dcs.h"
#include "sim/world.h"

namespace qm {
namespace {

void BM_FillFrame(benchmark::State& state)
{
    Surface frame(800, 600);
    for (auto _ : state) {
        std::fill(frame.data(), frame.data() + 800 * 600, 0x00C0C0C0u);
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FillFrame);

// The other floor: the frame copied row by row from two 800 by 800 terrain
// stripes, the camera 400 pixels into the first, so every row is two copies
// that meet mid-frame, as the visible terrain usually is.
void BM_CopyFrame(benchmark::State& state)
{
    constexpr int stripe_size = 800;
    constexpr int split_x = 400;
    constexpr int top_y = 100;
    Surface left(stripe_size, stripe_size);
    Surface right(stripe_size, stripe_size);
    std::fill(left.data(), left.data() + stripe_size * stripe_size, 0x00FF0000u);
    std::fill(right.data(), right.data() + stripe_size * stripe_size, 0x0000FF00u);
    Surface frame(800, 600);
    for (auto _ : state) {
        for (int y = 0; y < 600; ++y) {
            COLORREF* out = frame.row(y);
            const COLORREF* from_left = left.row(top_y + y) + split_x;
            std::copy(from_left, from_left + (stripe_size - split_x), out);
            const COLORREF* from_right = right.row(top_y + y);
            std::copy(from_right, from_right + (800 - (stripe_size - split_x)), out + (stripe_size - split_x));
        }
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyFrame);

POINT at(int cx, int cy, double theta, double r)
{
    const double pi = 3.141592653589793;
    return {cx + static_cast<int>(r * std::cos(theta * pi / 180)),
            cy + static_cast<int>(r * std::sin(theta * pi / 180))};
}

// A tick's drawing with the camera at (0, cam_y), the background drawn in
// layers (sky, black backing, six stripes OR-ed over it): the larger cam_y,
// the more of the frame the terrain covers (all of it from 500 on). The
// program composes those layers in one pass instead (BM_DrawBackground).
void BM_LayeredTickDrawing(benchmark::State& state)
{
    auto w = std::make_unique<World>();
    init_DCs(*w);
    Surface& m = w->memoria;
    const int cam_x = 0;
    const int cam_y = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Rectangle(m, 0, 0, 800, 600);
        Rectangle(m, m.pen, Brush{0}, -2400 - cam_x, 500 - cam_y, 2400 - cam_x, 1300 - cam_y);
        for (int i = 0; i < 6; ++i) {
            BitBlt(m, 800 * i - cam_x - 2400, 500 - cam_y, 800, 800, w->ground[i], 0, 0, Rop::srcpaint);
        }
        const Pen grid{2, 0x00C9CFC9};
        for (int i = 0; i <= 8; ++i) {
            MoveToEx(m, 100 * i, 1);
            LineTo(m, grid, 100 * i, 600);
        }
        for (int i = 0; i <= 6; ++i) {
            MoveToEx(m, 1, 100 * i);
            LineTo(m, grid, 800, 100 * i);
        }
        Ellipse(m, Pen{0, 0x00E0E0E0}, Brush{0x00E0E0E0}, 375, 45, 425, 95);
        Ellipse(m, Pen{0, 0x00C0C0C0}, Brush{0x00C0C0C0}, 382, 52, 418, 88);
        const POINT arrow[] = {{417, 73}, {417, 67}, {425, 70}};
        Polygon(m, Pen{0, 0x007070FF}, Brush{0x007070FF}, arrow, 3);
        for (int sx : {200, 600}) {
            const POINT body[] = {{sx - 25, 431}, {sx + 25, 431}, {sx + 25, 460}, {sx - 25, 460}};
            Polygon(m, Pen{0, 0}, Brush{0x002040E0}, body, 4);
            Rectangle(m, Pen{0, 0x00FFFFFF}, Brush{0}, sx - 38, 468, sx + 39, 472);
            Rectangle(m, Pen{0, 0x0030E030}, Brush{0x0030E030}, sx - 37, 469, sx + 38, 471);
        }
        const int cx = 230;
        const int cy = 423;
        for (int k = 0; k < 6; ++k) {
            const POINT a = at(cx, cy, 180 - 135 - 20 + 15 * k, 200);
            const POINT b = at(cx, cy, 180 + 45 - 20 - 15 * k, 200);
            Pie(m, Pen{0, 0x00D5C7C0}, Brush{0x00D5C7C0}, cx - 40, cy - 40, cx + 40, cy + 40, a.x, a.y, b.x, b.y);
        }
        for (double theta : {0.0, 250.0}) {
            const POINT a = at(cx, cy, theta, 21);
            const POINT b = at(cx, cy, theta, 39);
            MoveToEx(m, a.x, a.y);
            LineTo(m, Pen{2, 0x00101010}, b.x, b.y);
        }
        Ellipse(m, Pen{0, 0x00C0C0C0}, Brush{0x00C0C0C0}, cx - 20, cy - 20, cx + 20, cy + 20);
        const POINT needle[] = {at(cx, cy, 225, 21), at(cx, cy, 215, 21), at(cx, cy, 220, 39)};
        Polygon(m, Pen{0, 0x007070FF}, Brush{0x007070FF}, needle, 3);
        Ellipse(m, Pen{0, 0x00108030}, Brush{0x0020B652}, 493, 292, 508, 307);
        const char* texts[] = {"x: 0 y: 0", "ang: 50.0 pow: 2.50", "  0", "Press 'Esc' to close"};
        const POINT places[] = {{30, 30}, {100, 550}, {391, 62}, {620, 30}};
        for (int i = 0; i < 4; ++i) {
            TextOutA(m, places[i].x, places[i].y, texts[i], static_cast<int>(std::strlen(texts[i])));
        }
        benchmark::DoNotOptimize(m.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LayeredTickDrawing)->Arg(0)->Arg(250)->Arg(500);

void BM_Crater(benchmark::State& state)
{
    auto w = std::make_unique<World>();
    init_DCs(*w);
    for (auto _ : state) {
        for (int i = 0; i < 6; ++i) {
            Ellipse(w->ground[i], Pen{2, 0x00C0C0C0}, Brush{0x00C0C0C0}, 370 - 800 * i + 2400, 376,
                    430 - 800 * i + 2400, 424);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Crater);

// The primitives a tick draws over the background, each alone: the aim gauge
// (six wedges, two marks, the hub and the needle) facing either way, and the
// HUD's lines of text.
void BM_AimGauge(benchmark::State& state)
{
    Surface frame(800, 600);
    const int facing = static_cast<int>(state.range(0));
    for (auto _ : state) {
        draw_aim(frame, 50.0, 230, 423, 0, 0, facing);
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AimGauge)->Arg(1)->Arg(-1);

void BM_HudText(benchmark::State& state)
{
    Surface frame(800, 600);
    const char* texts[] = {"x: 0 y: 0", "ang: 50.0 pow: 2.50", "  0", "Press 'Esc' to close", "-3"};
    const POINT places[] = {{30, 30}, {100, 550}, {391, 62}, {620, 30}, {-5, 300}};
    for (auto _ : state) {
        for (int i = 0; i < 5; ++i) {
            TextOutA(frame, places[i].x, places[i].y, texts[i], static_cast<int>(std::strlen(texts[i])));
        }
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HudText);

void BM_HitTest(benchmark::State& state)
{
    auto w = std::make_unique<World>();
    init_DCs(*w);
    const POINT body[] = {{15, 11}, {65, 11}, {65, 40}, {15, 40}};
    for (auto _ : state) {
        Rectangle(w->targ1_dc, 0, 0, 80, 80);
        Polygon(w->targ1_dc, Pen{0, 0}, Brush{0}, body, 4);
        benchmark::DoNotOptimize(GetPixel(w->targ1_dc, 30, 30));
    }
}
BENCHMARK(BM_HitTest);

}  // namespace
}  // namespace qm
