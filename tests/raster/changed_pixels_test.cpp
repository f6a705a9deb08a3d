// The record of changed pixels: every drawing call that stores a pixel also
// marks it, so a cache of what the surface shows can trust the record.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "raster/surface.h"

namespace qm {
namespace {

constexpr int width = 64;
constexpr int height = 48;
constexpr COLORREF ground = 0x00123456;

struct Call {
    const char* name;
    std::function<void(Surface&)> draw;
};

// Shapes partly off the surface too, so clipping is covered.
const Surface& source()
{
    static const Surface s = [] {
        Surface made(width, height);
        for (int i = 0; i < width * height; ++i) made.data()[i] = static_cast<COLORREF>(i * 2654435761u) & 0xFFFFFF;
        return made;
    }();
    return s;
}

const Call calls[] = {
    {"Rectangle", [](Surface& s) { Rectangle(s, Pen{2, 0xFF}, Brush{0xFF00}, -5, 10, 30, 60); }},
    {"Ellipse", [](Surface& s) { Ellipse(s, Pen{1, 0xFF}, Brush{0xFF00}, 40, -8, 80, 20); }},
    {"Pie", [](Surface& s) { Pie(s, Pen{2, 0xFF}, Brush{0xFF00}, 5, 5, 45, 40, 0, 0, 45, 20); }},
    {"Polygon",
     [](Surface& s) {
         const POINT p[4] = {{-10, 3}, {50, 9}, {20, 70}, {33, 20}};
         Polygon(s, Pen{1, 0xFF}, Brush{0xFF00}, p, 4);
     }},
    {"LineTo",
     [](Surface& s) {
         MoveToEx(s, -20, 47);
         LineTo(s, Pen{2, 0xFF}, 70, 2);
     }},
    {"TextOutA", [](Surface& s) { TextOutA(s, 50, 30, "AB", 2); }},
    {"SetPixel", [](Surface& s) { SetPixel(s, 63, 47, 0xFF); }},
    {"BitBlt copy", [](Surface& s) { BitBlt(s, 20, 30, 100, 9, source(), 3, 3, Rop::srccopy); }},
    {"BitBlt or", [](Surface& s) { BitBlt(s, -4, 11, 9, 9, source(), 0, 0, Rop::srcpaint); }},
    {"BitBlt within", [](Surface& s) { BitBlt(s, 10, 12, 30, 20, s, 0, 0, Rop::srccopy); }},
    {"StretchBlt", [](Surface& s) { StretchBlt(s, 7, -3, 20, 30, source(), 0, 0, 64, 48); }},
};

TEST(ChangedPixels, EveryStoredPixelIsMarked)
{
    for (const Call& call : calls) {
        Surface s(width, height);
        std::fill(s.data(), s.data() + width * height, ground);
        BitBlt(s, 0, 0, width, height, source(), 0, 0, Rop::srcpaint);
        s.clear_changed();
        const std::vector<COLORREF> before(s.data(), s.data() + width * height);
        call.draw(s);
        int changed = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (s.row(y)[x] == before[static_cast<std::size_t>(y * width + x)]) continue;
                ++changed;
                const RowSpan& mark = s.changed(y);
                EXPECT_TRUE(x >= mark.from && x < mark.to) << call.name << " at " << x << "," << y;
                EXPECT_TRUE(y >= s.first_changed_row() && y < s.last_changed_row()) << call.name;
            }
        }
        EXPECT_GT(changed, 0) << call.name << " stores nothing: the case checks nothing";
    }
}

TEST(ChangedPixels, ClearingForgetsEveryMark)
{
    Surface s(width, height);
    Rectangle(s, Pen{1, 0xFF}, Brush{0xFF00}, 0, 0, width, height);
    s.clear_changed();
    EXPECT_EQ(s.first_changed_row(), s.last_changed_row());
    for (int y = 0; y < height; ++y) EXPECT_TRUE(s.changed(y).empty());
}

}  // namespace
}  // namespace qm
