// Terrain build: where image pixels land in the stripes, the step count and
// the progress texts, and the world-to-stripe mapping.
#include "terrain/load_map.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "sim/paint.h"
#include "terrain/bitmap_reader.h"
#include "terrain/bitmap_writer.h"
#include "sim/init_dcs.h"
#include "sim/world.h"
#include "terrain/map_catalogue.h"
#include "terrain/terrain_raster.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

class LoadMap : public ::testing::Test {
protected:
    // A fresh world: the loader's counters never go back to 0.
    void SetUp() override
    {
        world = std::make_unique<World>();
        init_DCs(*world);
        std::fill(world->imagen.begin(), world->imagen.end(), 1);
    }

    int terrain_pixels(int stripe) const
    {
        const Surface& s = world->ground[stripe];
        int count = 0;
        for (int i = 0; i < stripe_size * stripe_size; ++i) count += s.data()[i] == terrain_colour;
        return count;
    }

    std::unique_ptr<World> world;
};

TEST_F(LoadMap, ImagePixelsLandCentredWithTheTopRowAtWorldY500)
{
    struct Mark {
        int row;
        int column;
        int stripe;  // expected stripe and stripe pixel
        int x;
        int y;
    };
    struct Case {
        int imagen_x;
        std::vector<Mark> marks;
    };
    const Case cases[] = {
        {3200, {{0, 0, 1, 0, 0}, {799, 3199, 4, 799, 799}, {5, 1600, 3, 0, 5}, {6, 1599, 2, 799, 6}}},
        {800, {{0, 0, 2, 400, 0}, {1, 399, 2, 799, 1}, {2, 400, 3, 0, 2}, {799, 799, 3, 399, 799}}},
        // A 1001-wide map loads 1008 wide: world x -504 to 503.
        {1008, {{0, 0, 2, 296, 0}, {10, 1007, 3, 503, 10}}},
    };
    for (const Case& c : cases) {
        SetUp();
        world->imagen_x = c.imagen_x;
        for (const Mark& m : c.marks) world->image_at(m.row, m.column) = 0;
        build_terrain(*world, *world);
        int total = 0;
        for (int i = 0; i < stripe_count; ++i) total += terrain_pixels(i);
        EXPECT_EQ(total, static_cast<int>(c.marks.size())) << c.imagen_x;
        for (const Mark& m : c.marks) {
            EXPECT_EQ(GetPixel(world->ground[m.stripe], m.x, m.y), terrain_colour)
                << c.imagen_x << ": " << m.row << "," << m.column;
        }
    }
}

TEST_F(LoadMap, SolidImagesFillExactlyTheirWorldSpan)
{
    // Everything outside the image's columns, including the image columns
    // beyond imagen_x, stays empty.
    struct Case {
        int imagen_x;
        int world_left;  // first and last world x that become terrain
        int world_right;
    };
    for (Case c : {Case{3200, -1600, 1599}, Case{800, -400, 399}, Case{1008, -504, 503}}) {
        SetUp();
        std::fill(world->imagen.begin(), world->imagen.end(), 0);
        world->imagen_x = c.imagen_x;
        build_terrain(*world, *world);
        for (int i = 0; i < stripe_count; ++i) {
            int left = std::max(c.world_left, terrain_left + stripe_size * i);
            int right = std::min(c.world_right + 1, terrain_left + stripe_size * (i + 1));
            EXPECT_EQ(terrain_pixels(i), std::max(0, right - left) * stripe_size) << c.imagen_x << " stripe " << i;
        }
        EXPECT_TRUE(is_terrain(*world, c.world_left, 500));
        EXPECT_FALSE(is_terrain(*world, c.world_left - 1, 500));
        EXPECT_TRUE(is_terrain(*world, c.world_right, 1299));
        EXPECT_FALSE(is_terrain(*world, c.world_right + 1, 1299));
    }
}

TEST_F(LoadMap, StepsColumnByColumnWithOneProgressTextPerColumn)
{
    std::fill(world->imagen.begin(), world->imagen.end(), 0);
    world->imagen_x = 3200;
    std::vector<std::string> texts;
    std::string shown;
    long calls = 0;
    long first_text_call = 0;
    while (load_map(*world, *world) == 1) {
        ++calls;
        if (shown != world->prog_static) {
            shown = world->prog_static;
            texts.push_back(shown);
            if (first_text_call == 0) first_text_call = calls;
        }
        if (calls == 2) {
            // The first pixel call built (0, 0) of stripes 1 to 4, the second (0, 1).
            EXPECT_EQ(GetPixel(world->ground[1], 0, 1), terrain_colour);
            EXPECT_EQ(GetPixel(world->ground[1], 0, 2), empty_colour);
            EXPECT_EQ(GetPixel(world->ground[1], 1, 0), empty_colour);
        }
        ASSERT_LE(calls, 640800);
    }
    EXPECT_EQ(calls, 640800);
    EXPECT_EQ(first_text_call, 801);  // after the first column's 800 pixels
    ASSERT_EQ(texts.size(), 100u);
    for (int p = 0; p < 100; ++p) EXPECT_EQ(texts[p], "Loading map: " + std::to_string(p) + "%");

    // Finished: every later call returns 0 and changes nothing.
    std::vector<COLORREF> before(world->ground[2].data(), world->ground[2].data() + stripe_size * stripe_size);
    world->imagen_x = 0;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(load_map(*world, *world), 0);
    EXPECT_STREQ(world->prog_static, "Loading map: 99%");
    EXPECT_TRUE(std::equal(before.begin(), before.end(), world->ground[2].data()));
}

TEST_F(LoadMap, WithoutAnImageTheBuildRunsItsCourseAndLeavesAllEmpty)
{
    std::fill(world->imagen.begin(), world->imagen.end(), 0);  // imagen_x 0: no column counts
    long calls = 0;
    while (load_map(*world, *world) == 1) ++calls;
    EXPECT_EQ(calls, 640800);
    for (int i = 0; i < stripe_count; ++i) EXPECT_EQ(terrain_pixels(i), 0);
}

TEST_F(LoadMap, MapFileBecomesTerrainThroughReaderAndBuild)
{
    // A 1001-wide file: one terrain pixel at the top-left and the bottom-right.
    MapPicture p(1001, map_rows, map_empty);
    p.at(0, 0) = map_terrain;
    p.at(799, 1000) = map_terrain;
    test::TempDir dir;
    ASSERT_TRUE(write_bitmap(dir.file("m.bmp"), p));
    ASSERT_EQ(open_bitmap(*world, dir.file("m.bmp").c_str(), BitmapMode::load), 1);
    build_terrain(*world, *world);
    EXPECT_TRUE(is_terrain(*world, -504, 500));
    EXPECT_TRUE(is_terrain(*world, 496, 1299));
    EXPECT_FALSE(is_terrain(*world, -503, 500));
    // The writer's padding bits are empty, so nothing lies right of the map.
    EXPECT_FALSE(is_terrain(*world, 497, 1299));
    EXPECT_EQ(terrain_pixels(2) + terrain_pixels(3), 2);
}

TEST(LoadMapAtStart, AMapGoneOrSpoiledAfterTheCatalogueGivesEmptyTerrainAndTheRoundRuns)
{
    // The catalogue accepted the file at start-up; by Start it is gone, or
    // something else has its name. The load fails quietly or finds nothing,
    // the build still runs its course, and the units fall out of the empty
    // world and come back as on any map.
    namespace fs = std::filesystem;
    const std::vector<unsigned char> garbage(5000, 0xA5);
    const struct {
        const char* what;
        void (*spoil)(const std::vector<unsigned char>& garbage);
    } cases[] = {
        {"deleted", [](const auto&) { fs::remove("chosen.bmp"); }},
        {"garbage", [](const auto& g) { ASSERT_TRUE(write_file("chosen.bmp", g)); }},
        {"cut after the header", [](const auto&) { fs::resize_file("chosen.bmp", 62); }},
        {"a named pipe",
         [](const auto&) {
             fs::remove("chosen.bmp");
             ASSERT_EQ(::mkfifo("chosen.bmp", 0644), 0);
         }},
        {"a directory",
         [](const auto&) {
             fs::remove("chosen.bmp");
             fs::create_directory("chosen.bmp");
         }},
    };
    const fs::path previous = fs::current_path();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        fs::current_path(dir.path());
        ASSERT_TRUE(write_bitmap("chosen.bmp", MapPicture(3200, map_rows, map_terrain)));
        auto world = std::make_unique<World>();
        get_map_names(*world);
        ASSERT_EQ(world->map_count, 1);
        c.spoil(garbage);

        // Start, as the dialog does it: surfaces, then the load, then the build.
        fill_circle_samp(*world);
        init_DCs(*world);
        world->loading = 1;
        open_bitmap(*world, world->map_filename[0], BitmapMode::load);
        build_terrain(*world, *world);
        world->loading = 0;
        world->loaded = 1;
        fs::current_path(previous);

        for (int i = 0; i < stripe_count; ++i) {
            const Surface& s = world->ground[i];
            EXPECT_TRUE(std::all_of(s.data(), s.data() + stripe_size * stripe_size,
                                    [](COLORREF p) { return p == empty_colour; }));
        }
        bool player_died = false;
        world->fire_now = 1;
        for (int tick = 0; tick < 250; ++tick) {
            paint(*world);
            player_died = player_died || world->player_bot.respawn_ticks != 0;
        }
        EXPECT_TRUE(player_died);
        EXPECT_EQ(world->shots_done, 1);
    }
}

TEST(TerrainRaster, WorldPointsMapToStripePixels)
{
    struct Case {
        int x;
        int y;
        bool inside;
        StripePixel expected;
    };
    const Case cases[] = {
        {-1600, 500, true, {1, 0, 0}},    {1599, 1299, true, {4, 799, 799}}, {-2400, 500, true, {0, 0, 0}},
        {2399, 1299, true, {5, 799, 799}}, {0, 600, true, {3, 0, 100}},       {-1, 600, true, {2, 799, 100}},
        {2400, 600, false, {}},            {-2401, 600, false, {}},           {0, 499, false, {}},
        {0, 1300, false, {}},
    };
    for (const Case& c : cases) {
        StripePixel p;
        ASSERT_EQ(stripe_pixel_at(c.x, c.y, p), c.inside) << c.x << "," << c.y;
        if (!c.inside) continue;
        EXPECT_EQ(p.stripe, c.expected.stripe) << c.x << "," << c.y;
        EXPECT_EQ(p.x, c.expected.x) << c.x << "," << c.y;
        EXPECT_EQ(p.y, c.expected.y) << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace qm
