// BMP pictures of any size read as grey levels for the map maker: stored
// either way up, 1-bit files by palette index, and refusals that say why.
#include "terrain/bmp_picture.h"

#include <gtest/gtest.h>

#include <functional>

#include "terrain/bitmap_writer.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

MapPicture stripes(int width, int height)
{
    MapPicture p(width, height);
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) p.at(r, c) = (r / 3 + c) % 4 == 0 ? map_terrain : map_empty;
    }
    return p;
}

// A stored file turned upside down: rows top-down, the height negative.
std::vector<unsigned char> top_down(std::vector<unsigned char> b, int height, std::size_t stride)
{
    const std::size_t offset = b[10] | b[11] << 8;
    for (int r = 0; r < height / 2; ++r) {
        std::swap_ranges(b.begin() + static_cast<long>(offset + r * stride),
                         b.begin() + static_cast<long>(offset + (r + 1) * stride),
                         b.begin() + static_cast<long>(offset + (height - 1 - r) * stride));
    }
    test::patch32(b, 22, static_cast<std::uint32_t>(-height));
    return b;
}

TEST(BmpPicture, ReadsEveryTakenFormatEitherWayUpAsGreyLevels)
{
    const MapPicture p = stripes(37, 21);
    const struct {
        const char* what;
        std::vector<unsigned char> bytes;
        std::uint8_t dark, light;
    } cases[] = {
        {"1 bit", encode_bitmap(p), 0, 255},
        {"24 bits", test::colour_bmp(p, {24, 0xFF202020, 0xFFC0C0C0, {}}), 32, 192},
        {"24 bits top-down", top_down(test::colour_bmp(p, {24, 0xFF202020, 0xFFC0C0C0, {}}), 21, 112), 32, 192},
        {"32 bits, masks and alpha", test::colour_bmp(p, {32, 0xFF000000, 0x00000000, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}}), 0, 255},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> grey;
        int width = 0, height = 0;
        std::string reason;
        ASSERT_TRUE(read_bmp_picture(c.bytes, 1000, grey, width, height, reason)) << c.what << ": " << reason;
        ASSERT_EQ(width, 37) << c.what;
        ASSERT_EQ(height, 21) << c.what;
        for (int r = 0; r < height; ++r) {
            for (int col = 0; col < width; ++col) {
                ASSERT_EQ(grey[static_cast<std::size_t>(r * width + col)], p.at(r, col) == map_terrain ? c.dark : c.light)
                    << c.what << " " << r << "," << col;
            }
        }
    }
}

TEST(BmpPicture, RefusalsSayWhy)
{
    const std::vector<unsigned char> good = test::colour_bmp(stripes(40, 30), {});
    const struct {
        const char* what;
        std::function<void(std::vector<unsigned char>&)> spoil;
        const char* reason;
    } cases[] = {
        {"a PNG", [](auto& b) { b[0] = 0x89; }, "not a BMP file"},
        {"no width", [](auto& b) { test::patch32(b, 18, 0); }, "no pixels (0 by 30)"},
        {"no height", [](auto& b) { test::patch32(b, 22, 0); }, "no pixels (40 by 0)"},
        {"the most negative height", [](auto& b) { test::patch32(b, 22, 0x80000000u); }, "no pixels (40 by -2147483648)"},
        {"too many pixels", [](auto& b) { test::patch32(b, 22, 60); }, "too large (40 by 60 pixels)"},
        {"8 bits", [](auto& b) { test::patch16(b, 28, 8); }, "8 bits per pixel; maps have 1, 24 or 32"},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> bytes = good;
        c.spoil(bytes);
        std::vector<std::uint8_t> grey;
        int width = 0, height = 0;
        std::string reason;
        EXPECT_FALSE(read_bmp_picture(bytes, 2000, grey, width, height, reason)) << c.what;
        EXPECT_EQ(reason, c.reason) << c.what;
    }
}

}  // namespace
}  // namespace qm
