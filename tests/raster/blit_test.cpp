// Block transfers: exact copies and OR combination, clipping against both
// surfaces, copies within one surface, and the nearest-neighbour stretch.
#include <gtest/gtest.h>

#include "raster/surface.h"

namespace qm {
namespace {

// Pixel (x, y) holds a value unique to its position.
Surface numbered(int w, int h)
{
    Surface s(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) SetPixel(s, x, y, static_cast<COLORREF>(0x010000 + 100 * y + x));
    }
    return s;
}

COLORREF number(int x, int y) { return static_cast<COLORREF>(0x010000 + 100 * y + x); }

TEST(BitBlt, CopiesExactlyAndClipsAgainstBothSurfaces)
{
    const Surface src = numbered(6, 5);
    struct Case {
        const char* name;
        int x, y, w, h, sx, sy;
    };
    const Case cases[] = {
        {"inside", 1, 1, 3, 2, 2, 1},
        {"destination off the top left", -2, -1, 5, 4, 0, 0},
        {"destination off the bottom right", 5, 3, 6, 6, 0, 0},
        {"source off the top left", 0, 0, 4, 4, -2, -3},
        {"source off the bottom right", 1, 1, 8, 8, 3, 2},
        {"negative size copies nothing", 1, 1, -3, 2, 0, 0},
        {"wholly outside", 20, 1, 3, 2, 0, 0},
    };
    for (const Case& c : cases) {
        Surface dst(7, 6);
        BitBlt(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy, Rop::srccopy);
        for (int y = 0; y < dst.height(); ++y) {
            for (int x = 0; x < dst.width(); ++x) {
                const int i = x - c.x;
                const int j = y - c.y;
                const int sx = c.sx + i;
                const int sy = c.sy + j;
                const bool copied = i >= 0 && i < c.w && j >= 0 && j < c.h && sx >= 0 && sx < src.width() && sy >= 0 &&
                                    sy < src.height();
                EXPECT_EQ(GetPixel(dst, x, y), copied ? number(sx, sy) : 0u) << c.name << " at " << x << ", " << y;
            }
        }
    }
}

// A stripe combined onto the black terrain backing shows its own colours;
// onto the silver outline, terrain shows as 0xFFC0C0.
TEST(BitBlt, SrcPaintOrsTheColours)
{
    Surface stripe(2, 1);
    SetPixel(stripe, 0, 0, 0x00FF0000);
    SetPixel(stripe, 1, 0, 0x00C0C0C0);
    Surface frame(2, 2);
    SetPixel(frame, 0, 1, 0x00C0C0C0);
    SetPixel(frame, 1, 1, 0x00C0C0C0);
    BitBlt(frame, 0, 0, 2, 1, stripe, 0, 0, Rop::srcpaint);
    BitBlt(frame, 0, 1, 2, 1, stripe, 0, 0, Rop::srcpaint);
    EXPECT_EQ(GetPixel(frame, 0, 0), 0x00FF0000u);
    EXPECT_EQ(GetPixel(frame, 1, 0), 0x00C0C0C0u);
    EXPECT_EQ(GetPixel(frame, 0, 1), 0x00FFC0C0u);
    EXPECT_EQ(GetPixel(frame, 1, 1), 0x00C0C0C0u);
}

// Six 800 by 800 stripes side by side, ORed into the frame with the camera
// placing stripe 3 at the left edge: only stripe 3 shows, every pixel intact.
TEST(BitBlt, StripesOutsideTheFrameAreClippedAway)
{
    Surface frame(800, 600);
    Surface stripes[6];
    for (int i = 0; i < 6; ++i) {
        stripes[i] = Surface(800, 800);
        for (int y = 0; y < 800; ++y) {
            for (int x = 0; x < 800; ++x) SetPixel(stripes[i], x, y, static_cast<COLORREF>(i << 20 | (x + y) % 7));
        }
    }
    const int cam_x = 0;
    const int cam_y = 0;
    for (int i = 0; i < 6; ++i)
        BitBlt(frame, 800 * i - cam_x - 2400, 500 - cam_y, 800, 800, stripes[i], 0, 0, Rop::srcpaint);
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; x += 13) {
            EXPECT_EQ(GetPixel(frame, x, y), y < 500 ? 0u : GetPixel(stripes[3], x, y - 500)) << x << ", " << y;
        }
    }
}

TEST(BitBlt, OverlappingCopyWithinOneSurface)
{
    for (Rop rop : {Rop::srccopy, Rop::srcpaint}) {
        for (const auto& [dx, dy] : {std::pair{1, 1}, std::pair{-1, -1}, std::pair{2, 0}, std::pair{-2, 0}}) {
            Surface s = numbered(8, 8);
            const Surface before = numbered(8, 8);
            BitBlt(s, 2 + dx, 2 + dy, 4, 4, s, 2, 2, rop);
            for (int j = 0; j < 4; ++j) {
                for (int i = 0; i < 4; ++i) {
                    const COLORREF expected = rop == Rop::srccopy
                                                  ? number(2 + i, 2 + j)
                                                  : number(2 + i, 2 + j) | number(2 + dx + i, 2 + dy + j);
                    EXPECT_EQ(GetPixel(s, 2 + dx + i, 2 + dy + j), expected) << dx << "," << dy << " " << i << "," << j;
                }
            }
            EXPECT_EQ(GetPixel(s, 0, 0), GetPixel(before, 0, 0));
        }
    }
}

TEST(StretchBlt, TakesThePixelUnderEachCentre)
{
    const Surface src = numbered(4, 3);
    Surface twice(8, 6);
    StretchBlt(twice, 0, 0, 8, 6, src, 0, 0, 4, 3);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) EXPECT_EQ(GetPixel(twice, x, y), number(x / 2, y / 2)) << x << ", " << y;
    }
    Surface half(2, 2);
    StretchBlt(half, 0, 0, 2, 2, src, 0, 0, 4, 3);
    EXPECT_EQ(GetPixel(half, 0, 0), number(1, 0));
    EXPECT_EQ(GetPixel(half, 1, 1), number(3, 2));
    Surface same(4, 3);
    StretchBlt(same, 0, 0, 4, 3, src, 0, 0, 4, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(GetPixel(same, x, y), number(x, y));
    }
}

TEST(StretchBlt, ClipsBothSurfaces)
{
    const Surface src = numbered(4, 3);
    Surface dst(5, 5);
    StretchBlt(dst, -2, 1, 8, 6, src, 0, 0, 4, 3);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(GetPixel(dst, x, y), y == 0 ? 0u : number((x + 2) / 2, (y - 1) / 2)) << x << ", " << y;
        }
    }
    // Pixels whose source lies outside the source keep their colour, also on
    // rows that repeat a source row.
    Surface marked(6, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) SetPixel(marked, x, y, 7);
    }
    StretchBlt(marked, 0, 0, 6, 4, src, -1, 0, 3, 2);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(GetPixel(marked, x, y), x < 2 ? 7u : number(x / 2 - 1, y / 2)) << x << ", " << y;
    }
    Surface untouched(3, 3);
    StretchBlt(untouched, 0, 0, 3, 3, src, 10, 10, 2, 2);
    StretchBlt(untouched, 0, 0, -3, 3, src, 0, 0, 2, 2);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(GetPixel(untouched, x, y), 0u);
    }
}

}  // namespace
}  // namespace qm
