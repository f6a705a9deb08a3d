// Ellipses inscribed in their box and pie wedges: coverage of odd and even
// boxes, wide pens, clipping, the crater, and the direction of a wedge.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "raster/surface.h"
#include "picture.h"

namespace qm {
namespace {

using namespace qm::testing;

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
