// Ellipses inscribed in their box and pie wedges: coverage of odd and even
// boxes, wide pens, clipping, the crater, and the direction of a wedge.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>

#include "raster/surface.h"
#include "picture.h"

namespace qm {
namespace {

using namespace qm::testing;
using i64 = std::int64_t;

// The picture a shape must give, from its pixels alone: with a pen of the
// brush's colour every pixel is 'o'; otherwise a pixel with a neighbour
// (above, below, left, right) outside the shape is '#', the rest 'o'.
std::string reference(int width, int height, bool one_colour, const std::function<bool(i64, i64)>& in)
{
    std::string out = "\n";
    for (i64 y = 0; y < height; ++y) {
        for (i64 x = 0; x < width; ++x) {
            const bool border = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            out += !in(x, y) ? '.' : one_colour ? 'o' : border ? '#' : 'o';
        }
        out += '\n';
    }
    return out;
}

i64 clamped(int v) { return std::clamp<i64>(v, -(i64{1} << 24), i64{1} << 24); }

// Random boxes for the comparisons: mostly around a 24 by 20 surface, some
// empty or one pixel, some a few pixels beside it, and some up to 30000
// pixels across, which are still measured exactly.
struct RandomBox {
    std::mt19937 rng{20261207};
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    void next(int& left, int& top, int& right, int& bottom)
    {
        const int reach = pick(0, 4) == 0 ? 15000 : 30;
        left = pick(-reach, 24 + reach);
        top = pick(-reach, 20 + reach);
        right = pick(0, 5) == 0 ? left + pick(-1, 1) : pick(-reach, 24 + reach);
        bottom = pick(0, 5) == 0 ? top + pick(-1, 1) : pick(-reach, 20 + reach);
    }
};

// A pixel belongs to the ellipse when its centre lies inside or on it:
// with offsets from the centre doubled, (dx / w)^2 + (dy / h)^2 <= 1.
bool in_ellipse(i64 l, i64 t, i64 r, i64 b, i64 x, i64 y)
{
    if (x < std::min(l, r) || x >= std::max(l, r) || y < std::min(t, b) || y >= std::max(t, b)) return false;
    const i64 w = r - l;
    const i64 h = b - t;
    const i64 dx = 2 * x + 1 - (l + r);
    const i64 dy = 2 * y + 1 - (t + b);
    return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
}

struct EllipseCase {
    const char* name;
    Pen pen;
    int left, top, right, bottom;
    const char* expected;
};

TEST(Ellipse, IsInscribedInItsBox)
{
    const EllipseCase cases[] = {
        {"odd box", pen1, 1, 1, 6, 6, R"(
..........
..###.....
.#ooo#....
.#ooo#....
.#ooo#....
..###.....
..........
..........
)"},
        {"even box", pen1, 1, 1, 9, 7, R"(
..........
...####...
..#oooo#..
.#oooooo#.
.#oooooo#.
..#oooo#..
...####...
..........
)"},
        {"four by four", pen1, 0, 0, 4, 4, R"(
.##.......
#oo#......
#oo#......
.##.......
..........
..........
..........
..........
)"},
        {"one pixel", pen1, 4, 3, 5, 4, R"(
..........
..........
..........
....#.....
..........
..........
..........
..........
)"},
        // The two-pixel outline adds the pixels above and left of the
        // one-pixel outline.
        {"two-pixel pen", pen2, 2, 1, 8, 7, R"(
..#####...
.#######..
.##ooo##..
.##ooo##..
.##ooo##..
.#######..
..#####...
..........
)"},
        {"partly outside", pen1, -4, -2, 4, 4, R"(
ooo#......
ooo#......
oo#.......
##........
..........
..........
..........
..........
)"},
    };
    for (const EllipseCase& c : cases) {
        EXPECT_EQ(draw(10, 8, [&](Surface& s) { Ellipse(s, c.pen, brush, c.left, c.top, c.right, c.bottom); }),
                  c.expected)
            << c.name;
    }
}

TEST(Ellipse, EveryPixelIsTheOneItsCentreGives)
{
    RandomBox boxes;
    for (int i = 0; i < 3000; ++i) {
        int l, t, r, b;
        boxes.next(l, t, r, b);
        const bool one_colour = i % 2 == 0;
        const Pen pen{1, one_colour ? fill : ink};
        EXPECT_EQ(draw(24, 20, [&](Surface& s) { Ellipse(s, pen, brush, l, t, r, b); }),
                  reference(24, 20, one_colour, [&](i64 x, i64 y) { return in_ellipse(l, t, r, b, x, y); }))
            << "box " << l << ", " << t << ", " << r << ", " << b;
    }
}

TEST(Ellipse, SwappedCornersAndEmptyBoxes)
{
    auto oval = [](int l, int t, int r, int b) {
        return draw(10, 8, [&](Surface& s) { Ellipse(s, pen1, brush, l, t, r, b); });
    };
    EXPECT_EQ(oval(6, 6, 1, 1), oval(1, 1, 6, 6));
    EXPECT_EQ(oval(2, 2, 2, 7), blank(10, 8));
    EXPECT_EQ(oval(2, 2, 7, 2), blank(10, 8));
}

TEST(Ellipse, ClippingKeepsEveryPixel)
{
    for (const Pen& pen : {pen1, pen2, Pen{3, ink}}) {
        expect_clipping_keeps_pixels(
            [&](Surface& s, int x, int y) { Ellipse(s, pen, brush, x - 30, y - 24, x + 30, y + 24); });
        expect_clipping_keeps_pixels(
            [&](Surface& s, int x, int y) { Ellipse(s, pen, brush, x - 7, y - 8, x + 8, y + 7); });
    }
}

// A crater: the 60 by 48 box around the impact, brush and two-pixel pen in
// the empty colour, carves every terrain pixel of the ellipse and keeps the
// corners of its box.
TEST(Ellipse, CraterClearsEveryPixelInside)
{
    constexpr COLORREF terrain = 0x00FF0000;
    constexpr COLORREF empty = 0x00C0C0C0;
    Surface stripe(100, 80);
    Rectangle(stripe, Pen{0, terrain}, Brush{terrain}, 0, 0, 100, 80);
    const int sx = 50;
    const int sy = 40;
    Ellipse(stripe, Pen{2, empty}, Brush{empty}, sx - 30, sy - 24, sx + 30, sy + 24);
    for (int y = 0; y < stripe.height(); ++y) {
        for (int x = 0; x < stripe.width(); ++x) {
            const double u = (x + 0.5 - sx) / 30.0;
            const double v = (y + 0.5 - sy) / 24.0;
            if (u * u + v * v <= 1.0) {
                EXPECT_EQ(GetPixel(stripe, x, y), empty) << x << ", " << y;
            }
        }
    }
    for (int x : {sx - 31, sx + 30}) {
        for (int y : {sy - 25, sy + 24}) EXPECT_EQ(GetPixel(stripe, x, y), terrain) << x << ", " << y;
    }
    EXPECT_EQ(GetPixel(stripe, sx - 31, sy), empty) << "the two-pixel pen reaches one left of the box";
    EXPECT_EQ(GetPixel(stripe, sx + 30, sy), terrain);
}

// A pen of the brush's colour is drawn as one pass over the shape's grown
// rows; the pixels must be those of pen and brush drawn apart, taken together.
TEST(Ellipse, PenOfTheBrushColourCoversPenAndBrushTogether)
{
    auto together = [](const std::string& picture) {
        std::string out = picture;
        for (char& c : out) c = c == 'o' ? '#' : c;
        return out;
    };
    const Brush ink_brush{ink};
    for (int width : {0, 1, 2, 3, 4, 7}) {
        const Pen pen{width, ink};
        const int boxes[][4] = {{3, 3, 19, 14}, {2, 4, 7, 5}, {-5, -3, 12, 9}, {4, 2, 20, 21}};
        for (const auto& box : boxes) {
            const std::string apart =
                draw(24, 24, [&](Surface& s) { Ellipse(s, pen, brush, box[0], box[1], box[2], box[3]); });
            const std::string alike =
                draw(24, 24, [&](Surface& s) { Ellipse(s, pen, ink_brush, box[0], box[1], box[2], box[3]); });
            EXPECT_EQ(alike, together(apart)) << "width " << width << ", box at " << box[0] << "," << box[1];
            const std::string pie_apart =
                draw(24, 24, [&](Surface& s) { Pie(s, pen, brush, box[0], box[1], box[2], box[3], 30, 0, 0, 30); });
            const std::string pie_alike =
                draw(24, 24, [&](Surface& s) { Pie(s, pen, ink_brush, box[0], box[1], box[2], box[3], 30, 0, 0, 30); });
            EXPECT_EQ(pie_alike, together(pie_apart))
                << "pie, width " << width << ", box at " << box[0] << "," << box[1];
        }
    }
}

TEST(Ellipse, HugeBoxesFinishAndStayClipped)
{
    EXPECT_EQ(draw(4, 3, [](Surface& s) { Ellipse(s, pen1, brush, INT_MIN, INT_MIN, INT_MAX, INT_MAX); }), R"(
oooo
oooo
oooo
)");
    EXPECT_EQ(draw(4, 3, [](Surface& s) { Ellipse(s, pen2, brush, INT_MIN, 1, INT_MAX, INT_MAX); }), R"(
####
####
oooo
)");
}

TEST(Pie, QuarterFromRightToUpIsTheUpperRightQuadrant)
{
    EXPECT_EQ(draw(8, 8, [](Surface& s) { Pie(s, pen1, brush, 0, 0, 8, 8, 9, 4, 4, -1); }), R"(
....##..
....#o#.
....#oo#
....####
........
........
........
........
)");
}

TEST(Pie, RunsCounterClockwiseOnScreen)
{
    // Directions from the centre (10, 10) of the box and one pixel in each
    // quadrant: upper right, upper left, lower left, lower right.
    const POINT right{30, 10};
    const POINT up{10, -10};
    const POINT left{-10, 10};
    const POINT down{10, 30};
    const POINT above_right{30, 0};
    const POINT probes[4] = {{15, 4}, {4, 4}, {4, 15}, {15, 15}};
    struct Case {
        const char* name;
        POINT start;
        POINT end;
        const char* quadrants;  // "#" where the probe is covered
    };
    const Case cases[] = {
        {"quarter", right, up, "#..."},
        {"three quarters", up, right, ".###"},
        {"upper half", right, left, "##.."},
        {"lower half", left, right, "..##"},
        {"left half", up, down, ".##."},
        {"same direction is the whole ellipse", right, right, "####"},
        {"start at the centre is the whole ellipse", POINT{10, 10}, up, "####"},
        {"from above right to down", above_right, down, "###."},
    };
    for (const Case& c : cases) {
        Surface s(20, 20);
        Pie(s, pen1, brush, 0, 0, 20, 20, c.start.x, c.start.y, c.end.x, c.end.y);
        std::string covered;
        for (const POINT& p : probes) covered += GetPixel(s, p.x, p.y) == paper ? '.' : '#';
        EXPECT_EQ(covered, c.quadrants) << c.name;
    }
}

// Directions as doubled offsets from the centre, screen y down: a direction
// lies on the counter-clockwise sweep from s to e when, turning from s, it
// comes no later than e. The centre lies on every radial.
bool on_sweep(i64 sx, i64 sy, i64 ex, i64 ey, i64 px, i64 py)
{
    auto turn = [](i64 ax, i64 ay, i64 bx, i64 by) { return ay * bx - ax * by; };
    // 0 for the half turn from s (s included), 1 for the other half.
    auto half = [&](i64 x, i64 y) {
        const i64 t = turn(sx, sy, x, y);
        return t > 0 || (t == 0 && sx * x + sy * y > 0) ? 0 : 1;
    };
    if (px == 0 && py == 0) return true;
    const int hp = half(px, py);
    const int he = half(ex, ey);
    return hp < he || (hp == he && turn(px, py, ex, ey) >= 0);
}

TEST(Pie, EveryPixelIsTheOneItsCentreAndDirectionGive)
{
    RandomBox boxes;
    for (int i = 0; i < 3000; ++i) {
        int l, t, r, b;
        boxes.next(l, t, r, b);
        // Radials anywhere, at the centre, the same or opposite, or huge.
        auto radial = [&](int c) {
            const int kind = boxes.pick(0, 9);
            return kind == 0 ? c : kind == 1 ? boxes.pick(INT_MIN, INT_MAX) : c + boxes.pick(-40, 40);
        };
        const int xs = radial((l + r) / 2);
        const int ys = radial((t + b) / 2);
        const int same = boxes.pick(0, 9);
        const int xe = same == 0 ? xs : same == 1 ? l + r - xs : radial((l + r) / 2);
        const int ye = same == 0 ? ys : same == 1 ? t + b - ys : radial((t + b) / 2);
        const bool one_colour = i % 2 == 0;
        const Pen pen{1, one_colour ? fill : ink};
        const i64 cx2 = i64{l} + r;
        const i64 cy2 = i64{t} + b;
        const i64 sx = 2 * clamped(xs) - cx2, sy = 2 * clamped(ys) - cy2;
        const i64 ex = 2 * clamped(xe) - cx2, ey = 2 * clamped(ye) - cy2;
        // Equal directions, or a radial through the centre, give the whole
        // ellipse.
        const bool whole =
            (sx == 0 && sy == 0) || (ex == 0 && ey == 0) || (sy * ex == sx * ey && sx * ex + sy * ey > 0);
        EXPECT_EQ(draw(24, 20, [&](Surface& s) { Pie(s, pen, brush, l, t, r, b, xs, ys, xe, ye); }),
                  reference(24, 20, one_colour,
                            [&](i64 x, i64 y) {
                                return in_ellipse(l, t, r, b, x, y) &&
                                       (whole || on_sweep(sx, sy, ex, ey, 2 * x + 1 - cx2, 2 * y + 1 - cy2));
                            }))
            << "box " << l << ", " << t << ", " << r << ", " << b << ", from " << xs << ", " << ys << " to " << xe
            << ", " << ye;
    }
}

TEST(Pie, ClippingKeepsEveryPixel)
{
    for (const Pen& pen : {pen1, pen2, Pen{3, ink}}) {
        expect_clipping_keeps_pixels([&](Surface& s, int x, int y) {
            Pie(s, pen, brush, x - 40, y - 40, x + 40, y + 40, x + 180, y - 87, x - 120, y - 150);
        });
        expect_clipping_keeps_pixels([&](Surface& s, int x, int y) {
            Pie(s, pen, brush, x - 40, y - 40, x + 40, y + 40, x - 120, y - 150, x + 180, y - 87);
        });
    }
}

// The aim gauge's bands: a direction theta (clockwise on screen from +x)
// gives the point at radius 200; a 20 degree band around straight up covers
// the pixel above the centre and neither side.
TEST(Pie, AimGaugeBandAroundUp)
{
    const double pi = 3.141592653589793;
    auto at = [&](double theta) {
        return POINT{40 + static_cast<int>(200 * std::cos(theta * pi / 180)),
                     40 + static_cast<int>(200 * std::sin(theta * pi / 180))};
    };
    Surface s(80, 80);
    const POINT start = at(280);
    const POINT end = at(260);
    Pie(s, Pen{0, ink}, brush, 0, 0, 80, 80, start.x, start.y, end.x, end.y);
    EXPECT_EQ(GetPixel(s, 40, 10), fill);
    EXPECT_EQ(GetPixel(s, 40, 50), paper);
    EXPECT_EQ(GetPixel(s, 20, 20), paper);
    EXPECT_EQ(GetPixel(s, 60, 20), paper);
}

}  // namespace
}  // namespace qm
