// Map making: picture conversion and the sample maps, read back through the
// map reader.
#include "terrain/map_maker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

#include "terrain/bitmap_reader.h"
#include "sim/world.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

// A grey picture whose pixels are dark (0) where `dark` says so, white elsewhere.
template <typename F>
std::vector<std::uint8_t> grey_picture(int width, int height, F dark)
{
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) grey[static_cast<std::size_t>(y) * width + x] = dark(x, y) ? 0 : 255;
    }
    return grey;
}

// Columns [first, last) of every row are terrain and no others.
void expect_terrain_columns(const MapPicture& p, int first, int last)
{
    for (int r = 0; r < p.height; ++r) {
        for (int c = 0; c < p.width; ++c) {
            ASSERT_EQ(p.at(r, c), c >= first && c < last ? map_terrain : map_empty) << r << "," << c;
        }
    }
}

TEST(MapMaker, PicturesAreScaledTo800RowsCroppedAndPadded)
{
    struct Case {
        const char* what;
        int width;
        int height;
        int source_dark_from;  // source columns from here on are dark
        int map_width;
        int terrain_from;      // map columns from here on are terrain
    };
    const Case cases[] = {
        {"half height, dark right half", 100, 200, 50, 400, 200},
        {"exactly 3200 wide after scaling", 400, 100, 200, 3200, 1600},
        {"8000 wide after scaling, middle kept", 1000, 100, 600, 3200, 2400},
        {"upscaled", 2, 1, 1, 1600, 800},
        {"3 wide, padded to 8", 3, 800, 2, 8, 2},
    };
    for (const Case& c : cases) {
        auto grey = grey_picture(c.width, c.height, [&](int x, int) { return x >= c.source_dark_from; });
        MapPicture p = map_from_grey(grey, c.width, c.height);
        ASSERT_EQ(p.height, map_rows) << c.what;
        ASSERT_EQ(p.width, c.map_width) << c.what;
        int last = c.width == 3 ? 3 : c.map_width;  // padding columns are empty
        expect_terrain_columns(p, c.terrain_from, last);
    }
}

TEST(MapMaker, DarkMeansBelowMidGrey)
{
    std::vector<std::uint8_t> grey = {127, 128};
    MapPicture p = map_from_grey(grey, 2, 1);
    EXPECT_EQ(p.at(0, 0), map_terrain);
    EXPECT_EQ(p.at(0, 799), map_terrain);
    EXPECT_EQ(p.at(0, 800), map_empty);
}

TEST(MapMaker, SampleMapsAreFullWidthPlayableAndCommittedAsGenerated)
{
    auto world = std::make_unique<World>();
    test::TempDir dir;
    std::vector<SampleMap> samples = sample_maps();
    ASSERT_EQ(samples.size(), 4u);
    for (const SampleMap& s : samples) {
        ASSERT_EQ(s.picture.width, map_max_columns) << s.name;
        ASSERT_EQ(s.picture.height, map_rows) << s.name;
        // Both units start above map columns 1600 and 1780 and need ground there.
        for (int column : {1600, 1780}) {
            bool ground = false;
            for (int r = 0; r < map_rows; ++r) ground = ground || s.picture.at(r, column) == map_terrain;
            EXPECT_TRUE(ground) << s.name << " column " << column;
        }

        std::vector<unsigned char> bytes = encode_bitmap(s.picture);
        ASSERT_TRUE(write_file(dir.file(s.name), bytes));
        ASSERT_EQ(open_bitmap(*world, dir.file(s.name).c_str(), BitmapMode::load), 1) << s.name;
        EXPECT_TRUE(std::equal(s.picture.pixels.begin(), s.picture.pixels.end(), world->imagen.begin())) << s.name;

        // The generator is deterministic, and maps/ holds exactly its output.
        std::ifstream committed(std::string(QM_SOURCE_DIR) + "/maps/" + s.name, std::ios::binary);
        std::vector<unsigned char> stored((std::istreambuf_iterator<char>(committed)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(stored == bytes) << s.name << " differs from the committed map; run mkmap --samples maps";
    }
}

}  // namespace
}  // namespace qm
