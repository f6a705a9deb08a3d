// PNG output: a surface written and read back gives every pixel's colour;
// an unwritable path fails cleanly.
#include "raster/png_writer.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

namespace qm {
namespace {

TEST(PngWriter, RoundTripKeepsEveryColour)
{
    Surface s(7, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) SetPixel(s, x, y, static_cast<COLORREF>((x * 37 + y * 91) * 0x010203 & 0x00FFFFFF));
    }
    SetPixel(s, 0, 0, 0x00FF0000);
    SetPixel(s, 1, 0, 0x00C0C0C0);
    const std::string path = ::testing::TempDir() + "png_writer_round_trip.png";
    ASSERT_TRUE(write_png(s, path.c_str()));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    EXPECT_EQ(image.width, 7u);
    EXPECT_EQ(image.height, 5u);
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const unsigned char* p = &rgb[static_cast<std::size_t>(y * 7 + x) * 3];
            const COLORREF read = static_cast<COLORREF>(p[0] | p[1] << 8 | p[2] << 16);
            EXPECT_EQ(read, GetPixel(s, x, y)) << x << ", " << y;
        }
    }
    std::remove(path.c_str());
}

TEST(PngWriter, FailsWithoutCrashing)
{
    Surface s(3, 3);
    EXPECT_FALSE(write_png(s, "/nonexistent-directory/out.png"));
    EXPECT_FALSE(write_png(s, ::testing::TempDir().c_str())) << "a directory is not a file";
    EXPECT_FALSE(write_png(s, nullptr));
    EXPECT_FALSE(write_png(Surface{}, (::testing::TempDir() + "png_writer_empty.png").c_str()));
}

}  // namespace
}  // namespace qm
