// The mkmap tool's refusals: each names the file and the reason, and a map
// that cannot be written leaves nothing behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "raster/png_writer.h"
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

    const struct {
        std::string in;
        std::string out;
        std::string message;
    } cases[] = {
        {dir.file("none.png"), dir.file("map.bmp"),
         "mkmap: cannot read picture " + dir.file("none.png") + ": No such file or directory\n"},
        {folder, dir.file("map.bmp"), "mkmap: cannot read picture " + folder + ": Is a directory\n"},
        {QM_SOURCE_DIR "/README.md", dir.file("map.bmp"),
         "mkmap: cannot read picture " QM_SOURCE_DIR "/README.md: not a PNG file\n"},
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
    EXPECT_EQ(left, (std::vector<std::string>{folder, picture}));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

}  // namespace
}  // namespace qm
