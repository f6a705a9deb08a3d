// Map catalogue: which files of the working directory are offered, in what
// order, and how many.
#include "terrain/map_catalogue.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "terrain/bitmap_writer.h"
#include "sim/world.h"
#include "terrain_test_support.h"

namespace fs = std::filesystem;

namespace qm {
namespace {

// Runs each case inside a fresh scratch directory.
class MapCatalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = fs::current_path();
        fs::current_path(dir.path());
    }
    void TearDown() override { fs::current_path(previous); }

    static void write_map(const std::string& name, int width = 16, int height = map_rows)
    {
        ASSERT_TRUE(write_bitmap(name, MapPicture(width, height, map_terrain)));
    }

    std::vector<std::string> listed() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < world->map_count; ++i) names.emplace_back(world->map_filename[i]);
        return names;
    }

    test::TempDir dir;
    fs::path previous;
    std::unique_ptr<World> world = std::make_unique<World>();
};

TEST_F(MapCatalogue, KeepsTheFirst32InCaseInsensitiveOrder)
{
    // Alternating letter case: byte order would put every upper-case name first.
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%s%02d.bmp", i % 2 == 0 ? "map" : "MAP", i);
        names.emplace_back(name);
    }
    for (auto it = names.rbegin(); it != names.rend(); ++it) write_map(*it);
    get_map_names(*world);
    ASSERT_EQ(world->map_count, 32);
    EXPECT_EQ(listed(), std::vector<std::string>(names.begin(), names.begin() + 32));
}

TEST_F(MapCatalogue, OffersOnlyPlainWritableVisibleAcceptedBitmaps)
{
    write_map("good.bmp");
    write_map("Upper.BMP");
    write_map(std::string(251, 'n') + ".bmp");  // 255 characters, the longest a name can be here
    write_map("short.bmp", 16, 600);
    write_map("wide.bmp", 4000);
    std::vector<unsigned char> deep = encode_bitmap(MapPicture(16, map_rows, map_terrain));
    test::patch16(deep, 28, 8);
    ASSERT_TRUE(write_file("deep.bmp", deep));
    ASSERT_TRUE(write_file("colour.bmp", test::colour_bmp(MapPicture(16, map_rows, map_terrain), {})));
    write_map("readonly.bmp");
    fs::permissions("readonly.bmp", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    write_map(".hidden.bmp");
    write_map("map.txt");
    write_map("map.bmp.old");
    fs::create_directory("x.bmp");
    fs::create_symlink("good.bmp", "link.bmp");

    get_map_names(*world);
    EXPECT_EQ(listed(), (std::vector<std::string>{"colour.bmp", "good.bmp", std::string(251, 'n') + ".bmp", "Upper.BMP"}));
}

TEST_F(MapCatalogue, LeavesOutDanglingLinksAndPipes)
{
    write_map("good.bmp");
    fs::create_symlink("nowhere.bmp", "dangling.bmp");
    ASSERT_EQ(::mkfifo("pipe.bmp", 0644), 0);  // opening it to read would wait for a writer
    get_map_names(*world);
    EXPECT_EQ(listed(), std::vector<std::string>{"good.bmp"});
}

TEST_F(MapCatalogue, SkipsANameTooLongForAnEntry)
{
    // 256 characters need 257 bytes with the terminating zero, one more than
    // an entry holds.
    const std::string name = std::string(252, 'n') + ".bmp";
    if (!write_bitmap(name, MapPicture(16, map_rows, map_terrain))) {
        GTEST_SKIP() << "this file system refuses names of 256 characters, so none can reach the catalogue";
    }
    write_map("good.bmp");
    get_map_names(*world);
    EXPECT_EQ(listed(), std::vector<std::string>{"good.bmp"});
}

TEST_F(MapCatalogue, UnreadableDirectoryGivesNoMaps)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root, which reads a directory whatever its permissions; "
                        "VanishedWorkingDirectoryGivesNoMaps covers a directory that cannot be listed";
    }
    write_map("good.bmp");
    fs::permissions(dir.path(), fs::perms::none);
    get_map_names(*world);
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(world->map_count, 0);
}

TEST_F(MapCatalogue, EmptyDirectoryGivesNoMaps)
{
    get_map_names(*world);
    EXPECT_EQ(world->map_count, 0);
}

TEST_F(MapCatalogue, VanishedWorkingDirectoryGivesNoMaps)
{
    fs::create_directory("gone");
    fs::current_path("gone");
    fs::remove(dir.path() / "gone");
    get_map_names(*world);
    EXPECT_EQ(world->map_count, 0);
}

TEST_F(MapCatalogue, FindsMapsUnderALongWorkingDirectoryPath)
{
    // Far beyond 100 characters, which a fixed path buffer would not hold.
    fs::path deep = dir.path();
    for (int i = 0; i < 8; ++i) deep /= std::string(40, static_cast<char>('a' + i));
    fs::create_directories(deep);
    fs::current_path(deep);
    ASSERT_GT(fs::current_path().string().size(), 300u);
    write_map("deep.bmp");
    get_map_names(*world);
    EXPECT_EQ(listed(), std::vector<std::string>{"deep.bmp"});
}

}  // namespace
}  // namespace qm
