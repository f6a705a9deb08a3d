// Lines: end point left out, the current position, the pixels of slanted
// lines, two-pixel pens and clipping.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "raster/surface.h"
#include "picture.h"

namespace qm {
namespace {

using namespace qm::testing;

struct LineCase {
    const char* name;
    Pen pen;
    POINT from;
    POINT to;
    std::string expected;
};

TEST(Lines, DrawEverythingButTheEndPoint)
{
    const std::string blank_8x5 = blank(8, 5);
    const LineCase cases[] = {
        {"horizontal", pen1, {1, 2}, {6, 2}, R"(
........
........
.#####..
........
........
)"},
        {"horizontal leftward", pen1, {6, 2}, {1, 2}, R"(
........
........
..#####.
........
........
)"},
        {"vertical", pen1, {3, 0}, {3, 4}, R"(
...#....
...#....
...#....
...#....
........
)"},
        {"diagonal", pen1, {0, 0}, {4, 4}, R"(
#.......
.#......
..#.....
...#....
........
)"},
        // Half-way pixels round down the screen.
        {"shallow", pen1, {0, 1}, {8, 3}, R"(
........
##......
..####..
......##
........
)"},
        {"steep", pen1, {6, 0}, {4, 5}, R"(
......#.
......#.
.....#..
.....#..
....#...
)"},
        {"zero length", pen1, {3, 3}, {3, 3}, blank_8x5},
        // A two-pixel pen adds the pixels above (mostly horizontal lines) or
        // to the left (mostly vertical lines).
        {"two-pixel horizontal", pen2, {1, 2}, {6, 2}, R"(
........
.#####..
.#####..
........
........
)"},
        {"two-pixel vertical", pen2, {3, 1}, {3, 4}, R"(
........
..##....
..##....
..##....
........
)"},
        {"two-pixel shallow", pen2, {0, 2}, {8, 4}, R"(
........
##......
######..
..######
......##
)"},
        {"partly outside", pen1, {-3, -1}, {9, 5}, R"(
........
##......
..##....
....##..
......##
)"},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(draw(8, 5,
                       [&](Surface& s) {
                           MoveToEx(s, c.from.x, c.from.y);
                           LineTo(s, c.pen, c.to.x, c.to.y);
                       }),
                  c.expected)
            << c.name;
    }
}

TEST(Lines, ReverseLineCoversTheSamePixels)
{
    const std::pair<POINT, POINT> lines[] = {
        {{0, 0}, {9, 4}}, {{2, 11}, {7, 0}}, {{11, 3}, {0, 8}}, {{1, 1}, {10, 10}}, {{0, 5}, {11, 4}}};
    for (const auto& [a, b] : lines) {
        auto pixels = [](POINT from, POINT to) {
            Surface s(12, 12);
            MoveToEx(s, from.x, from.y);
            LineTo(s, pen1, to.x, to.y);
            SetPixel(s, to.x, to.y, ink);
            return picture(s);
        };
        EXPECT_EQ(pixels(a, b), pixels(b, a)) << a.x << "," << a.y << " - " << b.x << "," << b.y;
    }
}

TEST(Lines, CurrentPositionFollowsAndStandingPenIsUsed)
{
    Surface s(8, 4);
    s.pen = pen1;
    MoveToEx(s, 1, 1);
    EXPECT_EQ(s.current.x, 1);
    LineTo(s, 5, 1);
    EXPECT_EQ(s.current.x, 5);
    EXPECT_EQ(s.current.y, 1);
    LineTo(s, Pen{0, fill}, 5, 3);
    EXPECT_EQ(s.current.y, 3);
    EXPECT_EQ(s.pen.color, ink);
    EXPECT_EQ(picture(s), R"(
........
.####o..
.....o..
........
)");
}

TEST(Lines, ClippingKeepsEveryPixel)
{
    const std::pair<POINT, POINT> lines[] = {{{-300, -70}, {200, 130}}, {{37, -400}, {-41, 390}}, {{-45, 3}, {45, 2}}};
    for (const Pen& pen : {pen1, pen2, Pen{3, ink}}) {
        for (const auto& [a, b] : lines) {
            expect_clipping_keeps_pixels([&](Surface& s, int x, int y) {
                MoveToEx(s, a.x + x, a.y + y);
                LineTo(s, pen, b.x + x, b.y + y);
            });
        }
    }
}

// Step k of n along the longer axis is at the exact position of the other
// coordinate rounded half up, q0 + floor((2 k dq + n) / 2n), for k < n; a
// wider pen covers -(w / 2) .. (w - 1) / 2 across the line at each step.
TEST(Lines, EveryStepIsItsPositionRoundedHalfUp)
{
    std::mt19937 rng(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < 2000; ++i) {
        const int reach = pick(0, 3) == 0 ? 300 : 30;
        const POINT a{pick(-reach, 24 + reach), pick(-reach, 20 + reach)};
        const POINT b = pick(0, 9) == 0 ? POINT{a.x + pick(-1, 1), a.y + pick(-1, 1)}
                                        : POINT{pick(-reach, 24 + reach), pick(-reach, 20 + reach)};
        const Pen pen{pick(0, 3), ink};
        const int width = std::max(pen.width, 1);
        const bool x_major = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
        const long long n = x_major ? std::abs(b.x - a.x) : std::abs(b.y - a.y);
        const long long dq = x_major ? b.y - a.y : b.x - a.x;
        Surface expected(24, 20);
        for (long long k = 0; k < n; ++k) {
            const long long num = 2 * k * dq + n;
            const long long off = num / (2 * n) - (num % (2 * n) < 0 ? 1 : 0);
            const long long m = (x_major ? a.x : a.y) + k * ((x_major ? b.x - a.x : b.y - a.y) > 0 ? 1 : -1);
            const long long q = (x_major ? a.y : a.x) + off;
            for (long long across = q - width / 2; across <= q + (width - 1) / 2; ++across) {
                SetPixel(expected, static_cast<int>(x_major ? m : across), static_cast<int>(x_major ? across : m), ink);
            }
        }
        EXPECT_EQ(draw(24, 20,
                       [&](Surface& s) {
                           MoveToEx(s, a.x, a.y);
                           LineTo(s, pen, b.x, b.y);
                       }),
                  picture(expected))
            << a.x << "," << a.y << " - " << b.x << "," << b.y << ", width " << pen.width;
    }
}

// The grid's vertical lines start at row 1: a two-pixel pen covers the
// column of the line and the one left of it, from row 1 to the bottom.
TEST(Lines, GridLineCoversTwoColumnsFromRowOne)
{
    Surface frame(800, 600);
    MoveToEx(frame, 100, 1);
    LineTo(frame, Pen{2, 0x00C9CFC9}, 100, 600);
    for (int y = 0; y < 600; ++y) {
        for (int x = 98; x <= 101; ++x) {
            const bool on = y >= 1 && (x == 99 || x == 100);
            EXPECT_EQ(GetPixel(frame, x, y), on ? 0x00C9CFC9u : 0u) << x << ", " << y;
        }
    }
}

TEST(Lines, HugeCoordinatesFinish)
{
    EXPECT_EQ(draw(4, 3,
                   [](Surface& s) {
                       MoveToEx(s, INT_MIN, INT_MIN);
                       LineTo(s, pen1, INT_MAX, INT_MAX);
                       MoveToEx(s, INT_MAX, 2);
                       LineTo(s, pen1, INT_MIN, 2);
                   }),
              R"(
#...
.#..
####
)");
}

}  // namespace
}  // namespace qm
