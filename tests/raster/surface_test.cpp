// Surface storage and single-pixel access: exact colour round trips and
// points outside the surface.
#include "raster/surface.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(Surface, StartsBlackAndEmptySizesMakeEmptySurfaces)
{
    Surface s(3, 2);
    EXPECT_EQ(s.width(), 3);
    EXPECT_EQ(s.height(), 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(GetPixel(s, x, y), 0u);
    }
    for (const auto& [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-4, 3}, std::pair{3, -4}}) {
        Surface e(w, h);
        EXPECT_TRUE(e.empty());
        EXPECT_EQ(e.width(), 0);
        EXPECT_EQ(e.height(), 0);
    }
}

TEST(Surface, PixelsReadBackExactlyAsStored)
{
    Surface s(4, 4);
    const COLORREF colours[] = {0x00FF0000, 0x00C0C0C0, 0x00000000, 0x00FFFFFF, 0x00010203, 0xFF123456};
    int x = 0;
    for (COLORREF c : colours) {
        SetPixel(s, x % 4, x / 4, c);
        EXPECT_EQ(GetPixel(s, x % 4, x / 4), c);
        ++x;
    }
}

TEST(Surface, PointsOutsideReadInvalidAndIgnoreWrites)
{
    Surface s(4, 3);
    const POINT outside[] = {{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {INT_MIN, INT_MIN}, {INT_MAX, 1}};
    for (const POINT& p : outside) {
        SetPixel(s, p.x, p.y, 0x00FF0000);
        EXPECT_EQ(GetPixel(s, p.x, p.y), CLR_INVALID);
    }
    for (int y = 0; y < 3; ++y) {
        for (int i = 0; i < 4; ++i) EXPECT_EQ(GetPixel(s, i, y), 0u);
    }
    EXPECT_EQ(GetPixel(Surface{}, 0, 0), CLR_INVALID);
}

}  // namespace
}  // namespace qm
