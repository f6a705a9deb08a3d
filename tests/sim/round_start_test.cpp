// The start of a round as the dialog and the headless runner share it.
#include "sim/round_start.h"

#include <gtest/gtest.h>

#include <memory>

#include "terrain/bitmap_writer.h"
#include "terrain_test_support.h"
#include "test_world.h"

namespace qm {
namespace {

TEST(RoundStart, SetsUpTheMapTheSurfacesAndTheWind)
{
    test::TempDir dir;
    MapPicture picture(64, map_rows);
    picture.at(map_rows - 1, 0) = map_terrain;
    const std::string map = dir.file("m.bmp");
    ASSERT_TRUE(write_bitmap(map, picture));
    const std::string vanished = dir.file("gone.bmp");

    struct Case {
        const char* what;
        const char* map;
        int random_wind;
        int flat_map, loading, imagen_x;
        int wind_change_turn;
        double wind, wang;
    } cases[] = {
        // Random wind keeps the world's wind; fixed wind keeps its turn count.
        {"flat map, random wind", nullptr, 1, 1, 0, 0, 7, 0.0, 90.0},
        {"map, fixed wind", map.c_str(), 0, 0, 1, 64, 2, 12.0, 300.0},
        {"vanished map: built from the image as it was", vanished.c_str(), 1, 0, 1, 0, 7, 0.0, 90.0},
    };
    for (const Case& c : cases) {
        auto w = std::make_unique<World>();
        start_round(*w, RoundSettings{c.map, c.random_wind, 7, 12.0, 300.0});
        EXPECT_EQ(w->flat_map, c.flat_map) << c.what;
        EXPECT_EQ(w->loading, c.loading) << c.what;
        EXPECT_EQ(w->imagen_x, c.imagen_x) << c.what;
        EXPECT_EQ(w->random_wind, c.random_wind) << c.what;
        EXPECT_EQ(w->wind_change_turn, c.wind_change_turn) << c.what;
        EXPECT_EQ(w->wind, c.wind) << c.what;
        EXPECT_EQ(w->wang, c.wang) << c.what;
        EXPECT_EQ(w->memoria.width(), frame_width) << c.what;
        EXPECT_EQ(w->ground[0].width(), stripe_size) << c.what;
    }
}

TEST(RoundStart, TheBuildStepsEndInTheMapsTerrain)
{
    test::TempDir dir;
    MapPicture picture(64, map_rows);
    picture.at(0, 32) = map_terrain;  // image column 32 of 64 lands on world x 0
    const std::string map = dir.file("m.bmp");
    ASSERT_TRUE(write_bitmap(map, picture));
    auto w = std::make_unique<World>();
    start_round(*w, RoundSettings{map.c_str(), 1, 2, 0.0, 0.0});
    long steps = 0;
    while (build_terrain_step(*w)) ++steps;
    EXPECT_EQ(steps, 640800);
    EXPECT_FALSE(build_terrain_step(*w));
    EXPECT_TRUE(is_terrain(*w, 0, 500));
    EXPECT_FALSE(is_terrain(*w, 1, 500));
}

}  // namespace
}  // namespace qm
