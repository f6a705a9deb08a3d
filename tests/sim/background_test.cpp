// Background drawing: sky, terrain shown through its black backing, grid
// positions for any camera, the wind arrow and the flat-map line.
#include "sim/background.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "sim/init_dcs.h"
#include "sim/world.h"
#include "terrain/terrain_raster.h"

namespace qm {
namespace {

constexpr COLORREF sky = 0x00C0C0C0;
constexpr COLORREF grid = 0x00C9CFC9;
constexpr COLORREF ring = 0x00E0E0E0;
constexpr COLORREF arrow = 0x007070FF;
constexpr COLORREF terrain_on_outline = 0x00FFC0C0;

class Background : public ::testing::Test {
protected:
    void SetUp() override
    {
        init_DCs(*world);
        // Stale content from an earlier frame.
        Surface& m = world->memoria;
        std::fill(m.data(), m.data() + frame_width * frame_height, 0x00123456u);
    }

    COLORREF at(int x, int y) const { return GetPixel(world->memoria, x, y); }

    int count_in_row(int y, int from, int to, COLORREF colour) const
    {
        int n = 0;
        for (int x = from; x <= to; ++x) n += at(x, y) == colour;
        return n;
    }

    int count_in_column(int x, int from, int to, COLORREF colour) const
    {
        int n = 0;
        for (int y = from; y <= to; ++y) n += at(x, y) == colour;
        return n;
    }

    std::unique_ptr<World> world = std::make_unique<World>();
};

TEST_F(Background, GridLinesLieOnWorldMultiplesOf100)
{
    // Each line is two pixels wide; lines touching the frame's edge are left
    // out of the count, since only part of them shows.
    struct Case {
        int cam_x;
        int cam_y;
        int first_x;  // frame position of the first vertical and horizontal line
        int first_y;
    };
    for (Case c : {Case{0, 0, 0, 0}, Case{30, 30, -30, -30}, Case{-30, -30, 30, 30}, Case{230, -1270, 70, 70}}) {
        SetUp();
        draw_background(*world, c.cam_x, c.cam_y);
        int inner_x = 0;
        for (int x = c.first_x; x <= frame_width; x += 100) {
            if (x < 3 || x > frame_width - 4) continue;
            EXPECT_EQ(at(x, 250), grid) << c.cam_x << ": x " << x;
            ++inner_x;
        }
        EXPECT_EQ(count_in_row(250, 2, frame_width - 3, grid), 2 * inner_x) << c.cam_x;
        int inner_y = 0;
        for (int y = c.first_y; y <= frame_height; y += 100) {
            if (y < 3 || y > frame_height - 4) continue;
            EXPECT_EQ(at(250, y), grid) << c.cam_y << ": y " << y;
            ++inner_y;
        }
        EXPECT_EQ(count_in_column(250, 2, frame_height - 3, grid), 2 * inner_y) << c.cam_y;
    }
}

TEST_F(Background, TerrainShowsAsStoredAndAsFFC0C0OnTheOutline)
{
    // The backing's one-pixel outline runs along world y 500 and world x
    // -2400 (and 1299, 2399); OR with it turns terrain into 0x00FFC0C0.
    // World 500 and -2400 carry grid lines too, so the outline is looked at
    // in frame column 0 and row 0, where the grid lines do not start.
    struct Case {
        int cam_x;
        int cam_y;
        int stripe;
        int px;
        int py;
        int frame_x;
        int frame_y;
        COLORREF terrain_shows;
    };
    const Case cases[] = {
        {30, 30, 3, 30, 0, 0, 470, terrain_on_outline},      // top row of the map
        {30, 30, 3, 30, 1, 0, 471, terrain_colour},          // one row lower
        {30, 30, 3, 80, 50, 50, 520, terrain_colour},        // inside
        {-2450, 530, 0, 0, 30, 50, 0, terrain_on_outline},   // left edge of stripe 0
        {-2450, 530, 0, 1, 30, 51, 0, terrain_colour},
        {-850, 530, 2, 5, 30, 55, 0, terrain_colour},        // stripe 2 at world x -795
    };
    for (const Case& c : cases) {
        SetUp();
        draw_background(*world, c.cam_x, c.cam_y);
        EXPECT_EQ(at(c.frame_x, c.frame_y), sky) << "empty stripe pixel " << c.frame_x << "," << c.frame_y;
        SetUp();
        SetPixel(world->ground[c.stripe], c.px, c.py, terrain_colour);
        draw_background(*world, c.cam_x, c.cam_y);
        EXPECT_EQ(at(c.frame_x, c.frame_y), c.terrain_shows) << c.frame_x << "," << c.frame_y;
    }
}

TEST_F(Background, SkyEverywhereOutsideTheTerrainArea)
{
    // Cameras looking below, right of, left of and above the terrain: every
    // pixel away from the grid and the dial is sky, and stale content is gone.
    struct Case {
        int cam_x;
        int cam_y;
    };
    for (Case c : {Case{0, 1300}, Case{2400, 600}, Case{-3200, 600}, Case{0, -100}}) {
        SetUp();
        draw_background(*world, c.cam_x, c.cam_y);
        for (int y = 0; y < frame_height; ++y) {
            for (int x = 0; x < frame_width; ++x) {
                COLORREF p = at(x, y);
                bool dial = x >= 370 && x < 430 && y >= 40 && y < 100;
                ASSERT_TRUE(p == sky || p == grid || (dial && (p == ring || p == arrow)))
                    << c.cam_x << "," << c.cam_y << " at " << x << "," << y << ": " << std::hex << p;
            }
        }
    }
}

TEST_F(Background, WindArrowPointsAlongTheWind)
{
    struct Case {
        double wang;
        POINT corners[3];  // two base corners, then the tip
        POINT beyond;      // just past the tip, outside the arrow
    };
    const Case cases[] = {
        {0, {{417, 73}, {417, 67}, {425, 70}}, {428, 70}},
        {90, {{403, 53}, {397, 53}, {400, 45}}, {400, 42}},
        {180, {{383, 67}, {383, 73}, {375, 70}}, {372, 70}},
        {45, {{414, 60}, {410, 56}, {417, 53}}, {420, 50}},
    };
    for (const Case& c : cases) {
        SetUp();
        world->wang = c.wang;
        draw_background(*world, 0, 0);
        for (POINT p : c.corners) EXPECT_EQ(at(p.x, p.y), arrow) << c.wang << ": " << p.x << "," << p.y;
        int cx = (c.corners[0].x + c.corners[1].x + c.corners[2].x) / 3;
        int cy = (c.corners[0].y + c.corners[1].y + c.corners[2].y) / 3;
        EXPECT_EQ(at(cx, cy), arrow) << c.wang << " inside";
        EXPECT_NE(at(c.beyond.x, c.beyond.y), arrow) << c.wang << " beyond the tip";
        EXPECT_EQ(at(400, 70), sky) << "dial centre";
    }
    // The ring away from the arrow (wind towards the right; look left).
    EXPECT_EQ(at(378, 70), ring);
    EXPECT_EQ(at(384, 70), sky);
}

TEST_F(Background, FlatMapDrawsABlueGroundLineAtWorldY500)
{
    for (int flat : {1, 0}) {
        SetUp();
        world->flat_map = flat;
        draw_background(*world, 0, 30);
        int expected = flat != 0 ? 2 : 0;
        for (int x : {50, 250, 750}) EXPECT_EQ(count_in_column(x, 0, frame_height - 1, terrain_colour), expected) << x;
        if (flat != 0) {
            EXPECT_EQ(at(250, 470), terrain_colour);
        }
    }
}

TEST_F(Background, BackdropInOnePassIsItsLayers)
{
    // The one pass must leave what the layers would: the sky cleared with
    // the frame's pen and brush, the black backing drawn with its pen, each
    // stripe OR-ed over it, the grid lines drawn over all. The cameras put
    // every edge of the terrain area (and of each stripe) just inside, on
    // and just outside the frame's edges, and the grid at every offset sign;
    // the stripes hold values other than terrain and empty, so that a copy
    // where an OR belongs shows.
    for (int i = 0; i < stripe_count; ++i) {
        Surface& stripe = world->ground[i];
        for (int y = 0; y < stripe_size; ++y) {
            for (int x = 0; x < stripe_size; ++x) {
                const unsigned v = static_cast<unsigned>(x * 7 + y * 13 + i * 101);
                stripe.row(y)[x] = v % 3 == 0 ? terrain_colour : v % 3 == 1 ? 0x00C0C0C0u : (v * 2654435761u) & 0x00FFFFFFu;
            }
        }
    }
    Surface layers(frame_width, frame_height);
    const Pen& pen = world->memoria.pen;
    const int xs[] = {-3201, -3200, -3199, -2401, -2400, -2399, -1601, -1600, -10, 0, 1, 99, 1599, 1600, 1601, 2399, 2400, 2401};
    const int ys[] = {-101, -100, -99, -1, 0, 1, 99, 499, 500, 501, 699, 700, 701, 1299, 1300, 1301};
    for (int cam_x : xs) {
        for (int cam_y : ys) {
            std::fill(layers.data(), layers.data() + frame_width * frame_height, 0x00123456u);
            Rectangle(layers, pen, world->memoria.brush, 0, 0, frame_width, frame_height);
            Rectangle(layers, pen, Brush{0}, -2400 - cam_x, 500 - cam_y, 2400 - cam_x, 1300 - cam_y);
            for (int i = 0; i < stripe_count; ++i) {
                BitBlt(layers, stripe_size * i - 2400 - cam_x, 500 - cam_y, stripe_size, stripe_size, world->ground[i],
                       0, 0, Rop::srcpaint);
            }
            const Pen grid_pen{2, grid};
            for (int i = 0; i <= 8; ++i) {
                MoveToEx(layers, 100 * i - cam_x % 100, 1);
                LineTo(layers, grid_pen, 100 * i - cam_x % 100, frame_height);
            }
            for (int i = 0; i <= 6; ++i) {
                MoveToEx(layers, 1, 100 * i - cam_y % 100);
                LineTo(layers, grid_pen, frame_width, 100 * i - cam_y % 100);
            }
            draw_backdrop(*world, cam_x, cam_y);
            ASSERT_TRUE(std::equal(layers.data(), layers.data() + frame_width * frame_height, world->memoria.data()))
                << "camera " << cam_x << "," << cam_y;
            EXPECT_EQ(world->memoria.current.x, layers.current.x);
            EXPECT_EQ(world->memoria.current.y, layers.current.y);
        }
    }
}

TEST_F(Background, StripesAreReadNotChanged)
{
    SetPixel(world->ground[3], 10, 10, terrain_colour);
    std::vector<COLORREF> before(world->ground[3].data(), world->ground[3].data() + stripe_size * stripe_size);
    draw_background(*world, 0, 0);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), world->ground[3].data()));
}

}  // namespace
}  // namespace qm
