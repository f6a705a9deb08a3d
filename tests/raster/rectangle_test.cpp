// Rectangles: box coverage with right and bottom edges excluded, the frame of
// one- and two-pixel pens, clipping and the standing tools.
#include <gtest/gtest.h>

#include <climits>

#include "raster/surface.h"
#include "picture.h"

namespace qm {
namespace {

using namespace qm::testing;

struct RectangleCase {
    const char* name;
    Pen pen;
    int left, top, right, bottom;
    const char* expected;
};

TEST(Rectangle, CoversTheBoxWithoutItsRightAndBottomEdges)
{
    const RectangleCase cases[] = {
        {"one-pixel pen", pen1, 1, 1, 6, 5, R"(
........
.#####..
.#ooo#..
.#ooo#..
.#####..
........
)"},
        // The two-pixel frame covers the one-pixel frame and the pixels just
        // above and left of it.
        {"two-pixel pen", pen2, 2, 2, 7, 6, R"(
........
.######.
.######.
.##oo##.
.######.
.######.
)"},
        {"single pixel", pen1, 3, 2, 4, 3, R"(
........
........
...#....
........
........
........
)"},
        {"two wide is all frame", pen1, 1, 1, 3, 4, R"(
........
.##.....
.##.....
.##.....
........
........
)"},
        {"partly outside", pen1, -2, -1, 4, 3, R"(
ooo#....
ooo#....
####....
........
........
........
)"},
        {"past the bottom right", pen2, 5, 3, 12, 12, R"(
........
........
....####
....####
....##oo
....##oo
)"},
    };
    for (const RectangleCase& c : cases) {
        EXPECT_EQ(draw(8, 6, [&](Surface& s) { Rectangle(s, c.pen, brush, c.left, c.top, c.right, c.bottom); }),
                  c.expected)
            << c.name;
    }
}

TEST(Rectangle, SameBoxSamePixels)
{
    auto box = [](const Pen& pen, int l, int t, int r, int b) {
        return draw(8, 6, [&](Surface& s) { Rectangle(s, pen, brush, l, t, r, b); });
    };
    EXPECT_EQ(box(Pen{0, ink}, 1, 1, 6, 5), box(pen1, 1, 1, 6, 5)) << "width 0 is one pixel wide";
    EXPECT_EQ(box(pen1, 6, 5, 1, 1), box(pen1, 1, 1, 6, 5)) << "swapped corners";
    EXPECT_EQ(box(pen1, 3, 1, 3, 5), blank(8, 6)) << "empty box";
}

TEST(Rectangle, HugeCoordinatesAreClippedNotOverflowed)
{
    EXPECT_EQ(draw(4, 3, [](Surface& s) { Rectangle(s, pen1, brush, INT_MIN, INT_MIN, INT_MAX, INT_MAX); }), R"(
oooo
oooo
oooo
)");
    EXPECT_EQ(draw(4, 3,
                   [](Surface& s) {
                       Rectangle(s, pen1, brush, INT_MIN, 0, INT_MIN + 8, 3);
                       Rectangle(s, pen2, brush, INT_MAX - 8, 0, INT_MAX, 3);
                       Rectangle(s, pen1, brush, INT_MAX, INT_MAX, INT_MIN, 1);
                   }),
              R"(
....
####
oooo
)");
}

// The hit-point bar frame: 77 by 4 pixels, a white border around a black
// inside of 75 by 2 pixels.
TEST(Rectangle, HitPointBarFrameHasABlackInsideOf75By2)
{
    constexpr COLORREF white = 0x00FFFFFF;
    constexpr COLORREF black = 0x00000000;
    Surface s(90, 20);
    Rectangle(s, Pen{0, 0x123456}, Brush{0x123456}, 0, 0, 90, 20);
    const int sx = 40;
    const int sy = 0;
    Rectangle(s, Pen{0, white}, Brush{black}, sx - 38, sy + 8, sx + 39, sy + 12);
    int white_count = 0;
    int black_count = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            const COLORREF c = GetPixel(s, x, y);
            const bool in_box = x >= sx - 38 && x < sx + 39 && y >= sy + 8 && y < sy + 12;
            const bool inside = x >= sx - 37 && x < sx + 38 && y >= sy + 9 && y < sy + 11;
            EXPECT_EQ(c, inside ? black : in_box ? white : 0x123456u) << x << ", " << y;
            white_count += c == white;
            black_count += c == black;
        }
    }
    EXPECT_EQ(black_count, 75 * 2);
    EXPECT_EQ(white_count, 77 * 4 - 75 * 2);
}

TEST(Rectangle, UsesTheStandingToolsAndLeavesThemAfterOwnTools)
{
    Surface s(8, 6);
    s.pen = pen1;
    s.brush = brush;
    Rectangle(s, 1, 1, 6, 5);
    const std::string standing = picture(s);
    EXPECT_EQ(draw(8, 6, [](Surface& t) { Rectangle(t, pen1, brush, 1, 1, 6, 5); }), standing);

    Rectangle(s, Pen{2, 7}, Brush{9}, 0, 0, 3, 3);
    EXPECT_EQ(s.pen.width, 1);
    EXPECT_EQ(s.pen.color, ink);
    EXPECT_EQ(s.brush.color, fill);
}

}  // namespace
}  // namespace qm
