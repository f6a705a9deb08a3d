// The mkmap tool's refusals: each names the file and the reason, and a map
// that cannot be written leaves nothing behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "child_process.h"
#include "raster/png_writer.h"
#include "scratch_files.h"
#include "terrain/bitmap_writer.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

TEST(Mkmap, RefusalsSayWhy)
{
    test::TempDir dir;
    const std::string picture = dir.file("picture.png");
    ASSERT_TRUE(write_png(Surface(16, 16), picture.c_str()));
    const std::string folder = dir.file("folder");
    std::filesystem::create_directory(folder);
    const std::string missing_folder = dir.file("no/map.bmp");
    std::vector<unsigned char> eight_bit = test::colour_bmp(MapPicture(8, 8), {});
    test::patch16(eight_bit, 28, 8);
    const std::string paletted = dir.file("paletted.bmp");
    ASSERT_TRUE(write_file(paletted, eight_bit));

    const struct {
        std::string in;
        std::string out;
        std::string message;
    } cases[] = {
        {dir.file("none.png"), dir.file("map.bmp"),
         "mkmap: cannot read picture " + dir.file("none.png") + ": No such file or directory\n"},
        {folder, dir.file("map.bmp"), "mkmap: cannot read picture " + folder + ": Is a directory\n"},
        {QM_SOURCE_DIR "/README.md", dir.file("map.bmp"),
         "mkmap: cannot read picture " QM_SOURCE_DIR "/README.md: neither a PNG nor a BMP file\n"},
        {paletted, dir.file("map.bmp"),
         "mkmap: cannot read picture " + paletted + ": 8 bits per pixel; maps have 1, 24 or 32\n"},
        {picture, missing_folder, "mkmap: cannot write " + missing_folder + ": No such file or directory\n"},
        {picture, folder, "mkmap: cannot write " + folder + ": Is a directory\n"},
    };
    for (const auto& c : cases) {
        test::ChildProcess mkmap({QM_BINARY_DIR "/mkmap", c.in, c.out});
        ASSERT_TRUE(mkmap.started());
        EXPECT_EQ(mkmap.wait(), 1) << c.in << " " << c.out;
        EXPECT_EQ(mkmap.error_text(), c.message);
    }
    // Only what the test made is there.
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) left.push_back(entry.path().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{folder, paletted, picture}));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

// A paint program's 24- or 32-bit BMP makes the map its colours say: an
// 800-high one the very map the map reader loads from it.
TEST(Mkmap, AColourBmpMakesTheMapOfItsDarkPixels)
{
    test::TempDir dir;
    MapPicture p(1001, map_rows);
    for (int r = 0; r < map_rows; ++r) {
        for (int c = 0; c < p.width; ++c) p.at(r, c) = (r + 2 * c) % 7 < 3 || r > 600 ? map_terrain : map_empty;
    }
    MapPicture padded(1008, map_rows);
    for (int r = 0; r < map_rows; ++r) std::copy_n(&p.at(r, 0), p.width, &padded.at(r, 0));
    const struct {
        const char* name;
        test::ColourBmp how;
    } cases[] = {
        {"earth24.bmp", {24, 0xFF3C2A14, 0xFFA0D8F0, {}}},
        {"earth32.bmp", {32, 0xFF3C2A14, 0x00000000, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(write_file(dir.file(c.name), test::colour_bmp(p, c.how)));
        const std::string out = dir.file(std::string(c.name) + ".map.bmp");
        test::ChildProcess mkmap({QM_BINARY_DIR "/mkmap", dir.file(c.name), out});
        ASSERT_TRUE(mkmap.started());
        EXPECT_EQ(mkmap.wait(), 0) << c.name << ": " << mkmap.error_text();
        std::ifstream made(out, std::ios::binary);
        const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(made), {}};
        EXPECT_TRUE(bytes == encode_bitmap(padded)) << c.name;
    }
}

// The picture only from a plain file, the map never onto the picture or
// onto anything but a plain file, and the printed line checked.
TEST(Mkmap, FilesFollowTheFileRules)
{
    test::TempDir dir;
    const std::string picture = dir.file("picture.png");
    ASSERT_TRUE(write_png(Surface(16, 16), picture.c_str()));
    test::make_link(dir.file("to-picture.png"), "picture.png");
    const struct {
        std::string in;
        std::string out;
        int code;
        std::string message;
    } cases[] = {
        {test::make_fifo(dir.file("fifo.png")), dir.file("a.bmp"), 1,
         "mkmap: cannot read picture " + dir.file("fifo.png") + ": not a plain file\n"},
        {test::make_device(dir.file("zero.png"), test::Device::zero), dir.file("a.bmp"), 1,
         "mkmap: cannot read picture " + dir.file("zero.png") + ": not a plain file\n"},
        {test::make_link_loop(dir.file("loop.png")), dir.file("a.bmp"), 1,
         "mkmap: cannot read picture " + dir.file("loop.png") + ": Too many levels of symbolic links\n"},
        {picture, picture, 2, "mkmap: " + picture + " and " + picture + " are the same file\n"},
        {picture, dir.file("to-picture.png"), 2,
         "mkmap: " + dir.file("to-picture.png") + " and " + picture + " are the same file\n"},
        {picture, test::make_device(dir.file("full.bmp"), test::Device::full), 1,
         "mkmap: cannot write " + dir.file("full.bmp") + ": not a plain file\n"},
    };
    for (const auto& c : cases) {
        test::ChildProcess mkmap({QM_BINARY_DIR "/mkmap", c.in, c.out});
        ASSERT_TRUE(mkmap.started());
        EXPECT_EQ(mkmap.wait(), c.code) << c.in << " " << c.out;
        EXPECT_EQ(mkmap.error_text(), c.message);
    }
    EXPECT_TRUE(std::filesystem::is_character_file(dir.file("full.bmp")));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("fifo.png")));

    // The map is written, but the line saying so cannot get out: status 1.
    test::ChildProcess closed({QM_BINARY_DIR "/mkmap", picture, dir.file("b.bmp")});
    ASSERT_TRUE(closed.started());
    closed.close_output();
    EXPECT_EQ(closed.wait(), 1);
    EXPECT_EQ(closed.error_text(), "mkmap: cannot write to standard output: Broken pipe\n");
}

}  // namespace
}  // namespace qm
