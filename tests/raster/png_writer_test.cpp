// PNG output: a surface written and read back gives every pixel's colour;
// an unwritable path fails cleanly. Both encoders are read back with libpng.
#include "raster/png_writer.h"
#include "raster/png_encoders.h"

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

// Pixels that give every byte value in some channel, so a swapped or shifted
// byte shows.
Surface pattern(int width, int height)
{
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SetPixel(s, x, y, static_cast<COLORREF>((static_cast<unsigned>(x) * 0x010305u + static_cast<unsigned>(y) * 0x0B0701u) & 0x00FFFFFFu));
        }
    }
    return s;
}

TEST(PngWriter, EncodersRoundTripThroughLibpng)
{
    using Encoder = bool (*)(std::FILE*, const Surface&);
    struct Case {
        const char* name;
        Encoder encode;
        int width;
        int height;
    };
    // Rows of 1 + 3 * 28 = 85 bytes: 771 of them fill one stored block (65535
    // bytes) exactly, 772 need a second block of one row.
    const Case cases[] = {
        {"stored 1x1", encode_png_stored, 1, 1},
        {"stored 7x5", encode_png_stored, 7, 5},
        {"stored one full block", encode_png_stored, 28, 771},
        {"stored one byte row past a block", encode_png_stored, 28, 772},
        {"stored frame, many blocks", encode_png_stored, 800, 600},
        {"libpng 7x5", encode_png_libpng, 7, 5},
        {"compact 1x1", encode_png_compact, 1, 1},
        {"compact frame", encode_png_compact, 800, 600},
        {"compact plain areas", encode_png_compact, 300, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s = pattern(c.width, c.height);
        // Plain bands and blocks: runs along a row and down a column, of
        // every match length.
        if (std::string(c.name).find("plain") != std::string::npos) {
            for (int y = 0; y < c.height; ++y) {
                for (int x = 0; x < c.width; ++x) {
                    if ((x / 97 + y / 13) % 3 != 0) SetPixel(s, x, y, y < 100 ? 0x00FFFFFF : GetPixel(s, x, 0));
                }
            }
        }
        const std::string path = ::testing::TempDir() + "png_encoder.png";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(c.encode(file, s));
        ASSERT_EQ(std::fclose(file), 0);

        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
        ASSERT_EQ(image.width, static_cast<png_uint_32>(c.width));
        ASSERT_EQ(image.height, static_cast<png_uint_32>(c.height));
        image.format = PNG_FORMAT_RGB;
        std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
        // libpng checks every chunk CRC and the zlib stream's Adler-32 here.
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << image.message;
        int wrong = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const unsigned char* p = &rgb[static_cast<std::size_t>(y * c.width + x) * 3];
                wrong += static_cast<COLORREF>(p[0] | p[1] << 8 | p[2] << 16) != GetPixel(s, x, y);
            }
        }
        EXPECT_EQ(wrong, 0);
        std::remove(path.c_str());
    }
}

// A full disk shows as a failed write, not as success.
TEST(PngWriter, StoredEncoderReportsAFileThatTakesNothing)
{
    std::FILE* full = std::fopen("/dev/full", "wb");
    if (full == nullptr) GTEST_SKIP() << "no /dev/full";
    std::setvbuf(full, nullptr, _IONBF, 0);
    EXPECT_FALSE(encode_png_stored(full, pattern(4, 4)));
    std::fclose(full);
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
