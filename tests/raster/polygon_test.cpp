// Polygons: fill by the surface's rule, the outline along every edge, the
// two fill rules on a star, clipping and the limits on points.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>

#include "raster/surface.h"
#include "picture.h"

namespace qm {
namespace {

using namespace qm::testing;

const POINT triangle[] = {{1, 1}, {7, 1}, {1, 7}};

TEST(Polygon, FillsAndOutlinesATriangle)
{
    EXPECT_EQ(draw(9, 9, [](Surface& s) { Polygon(s, pen1, brush, triangle, 3); }), R"(
.........
.#######.
.#oooo#..
.#ooo#...
.#oo#....
.#o#.....
.##......
.#.......
.........
)");
    // The two-pixel outline adds a square of pixels above and left of every
    // pixel of the one-pixel outline.
    EXPECT_EQ(draw(9, 9, [](Surface& s) { Polygon(s, pen2, brush, triangle, 3); }), R"(
########.
########.
##oo###..
##o###...
#####....
####.....
###......
##.......
.........
)");
}

// Unlike a rectangle, a polygon's outline runs through its corner points, so
// the square through (1, 1) and (5, 5) covers 5 by 5 pixels.
TEST(Polygon, OutlineRunsThroughTheCorners)
{
    const POINT square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
    EXPECT_EQ(draw(7, 7, [&](Surface& s) { Polygon(s, pen1, brush, square, 4); }), R"(
.......
.#####.
.#ooo#.
.#ooo#.
.#ooo#.
.#####.
.......
)");
}

TEST(Polygon, StarCentreFollowsTheFillRule)
{
    const POINT star[] = {{10, 1}, {15, 18}, {2, 7}, {18, 7}, {5, 18}};
    for (FillMode mode : {FillMode::winding, FillMode::alternate}) {
        Surface s(21, 21);
        s.fill_mode = mode;
        Polygon(s, pen1, brush, star, 5);
        EXPECT_EQ(GetPixel(s, 10, 11), mode == FillMode::winding ? fill : paper);
        EXPECT_EQ(GetPixel(s, 10, 4), fill) << "a tip is filled by both rules";
        EXPECT_EQ(GetPixel(s, 12, 14), fill);
        EXPECT_EQ(GetPixel(s, 10, 1), ink);
    }
}

// Pixel (x, y) is filled when the point (x, y) is inside by the fill rule,
// counting the edges whose crossing of row y lies at or left of x (an edge
// covers its upper end row, not its lower one); the one-pixel outline is the
// lines along the edges.
TEST(Polygon, EveryPixelIsTheOneItsPointGives)
{
    using i64 = std::int64_t;
    std::mt19937 rng(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < 2000; ++i) {
        POINT p[7];
        const int count = pick(2, 7);
        for (int k = 0; k < count; ++k) {
            p[k] = pick(0, 19) == 0 ? POINT{pick(INT_MIN, INT_MAX), pick(INT_MIN, INT_MAX)}
                                    : POINT{pick(-12, 36), pick(-12, 32)};
        }
        const FillMode mode = i % 2 == 0 ? FillMode::alternate : FillMode::winding;
        Surface expected(24, 20);
        for (i64 y = 0; y < 20; ++y) {
            for (i64 x = 0; x < 24; ++x) {
                int winding = 0;
                int crossings = 0;
                for (int k = 0; k < count; ++k) {
                    const auto clamped = [](int v) { return std::clamp<i64>(v, -(i64{1} << 24), i64{1} << 24); };
                    const POINT& a = p[k];
                    const POINT& b = p[(k + 1) % count];
                    const i64 ax = clamped(a.x), ay = clamped(a.y), bx = clamped(b.x), by = clamped(b.y);
                    const i64 top = std::min(ay, by);
                    if (y < top || y >= std::max(ay, by)) continue;
                    // The crossing a.x + (y - a.y) (b.x - a.x) / (b.y - a.y) <= x, times |b.y - a.y|.
                    const i64 den = by - ay;
                    const bool left = den > 0 ? ax * den + (y - ay) * (bx - ax) <= x * den
                                              : ax * den + (y - ay) * (bx - ax) >= x * den;
                    if (!left) continue;
                    ++crossings;
                    winding += den > 0 ? 1 : -1;
                }
                const bool inside = mode == FillMode::winding ? winding != 0 : crossings % 2 == 1;
                if (inside) SetPixel(expected, static_cast<int>(x), static_cast<int>(y), fill);
            }
        }
        for (int k = 0; k < count; ++k) {
            MoveToEx(expected, p[k].x, p[k].y);
            LineTo(expected, pen1, p[(k + 1) % count].x, p[(k + 1) % count].y);
        }
        Surface drawn(24, 20);
        drawn.fill_mode = mode;
        Polygon(drawn, pen1, brush, p, count);
        EXPECT_EQ(picture(drawn), picture(expected)) << "polygon " << i << ", first point " << p[0].x << ", " << p[0].y;
    }
}

TEST(Polygon, ClippingKeepsEveryPixel)
{
    // A tilted body box and a concave shape, both fill rules, both pens.
    const POINT body[] = {{-24, -30}, {22, -41}, {27, -12}, {-19, 0}};
    const POINT notch[] = {{-30, -20}, {30, -25}, {0, 0}, {25, 28}, {-28, 20}};
    for (FillMode mode : {FillMode::winding, FillMode::alternate}) {
        for (const Pen& pen : {pen1, pen2, Pen{3, ink}}) {
            for (const auto& shape : {std::pair{body, 4}, std::pair{notch, 5}}) {
                expect_clipping_keeps_pixels([&](Surface& s, int x, int y) {
                    POINT moved[5];
                    for (int i = 0; i < shape.second; ++i) moved[i] = {shape.first[i].x + x, shape.first[i].y + y};
                    s.fill_mode = mode;
                    Polygon(s, pen, brush, moved, shape.second);
                });
            }
        }
    }
}

TEST(Polygon, PointCountLimits)
{
    const POINT two[] = {{1, 1}, {4, 2}};
    EXPECT_EQ(draw(6, 3, [&](Surface& s) { Polygon(s, pen1, brush, two, 2); }), R"(
......
.##...
...##.
)") << "two points: the edge there and back, both ends drawn";
    EXPECT_EQ(draw(6, 3, [&](Surface& s) { Polygon(s, pen1, brush, two, 1); }), blank(6, 3));
    EXPECT_EQ(draw(6, 3, [&](Surface& s) { Polygon(s, pen1, brush, nullptr, 3); }), blank(6, 3));
    POINT many[65];
    for (int i = 0; i < 65; ++i) many[i] = {i % 6, i % 3};
    EXPECT_EQ(draw(6, 3, [&](Surface& s) { Polygon(s, pen1, brush, many, 65); }), blank(6, 3))
        << "more points than a polygon may carry";
}

TEST(Polygon, HugeCoordinatesFinish)
{
    const POINT huge[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}};
    EXPECT_EQ(draw(4, 3, [&](Surface& s) { Polygon(s, pen1, brush, huge, 3); }), R"(
oooo
oooo
oooo
)");
}

}  // namespace
}  // namespace qm
