// The HUD texts as formatted for the frame.
#include "core/hud.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/world.h"

namespace qm {
namespace {

class Hud : public ::testing::Test {
protected:
    std::unique_ptr<World> w = std::make_unique<World>();
    HudTexts texts{};
};

TEST_F(Hud, StartingValues)
{
    format_hud(*w, 0, texts);
    EXPECT_STREQ(texts.shot, "x: 0 y: 0");
    EXPECT_STREQ(texts.aim, "ang: 50.0 pow: 2.50");
    EXPECT_STREQ(texts.wind, "  0");
    EXPECT_STREQ(texts.close, "Press 'Esc' to close");
}

TEST_F(Hud, AtRestShowsZerosWhateverTheLastShotDid)
{
    w->mainbullet.pos_x = 812;
    w->mainbullet.pos_y = 40;
    w->mainbullet.time = 3.2;
    w->player_bot.launch_x = 10;
    format_hud(*w, 0, texts);
    EXPECT_STREQ(texts.shot, "x: 0 y: 0");
}

TEST_F(Hud, InFlightShowsOffsetsFromTheMuzzleAndTheTime)
{
    // Right of and above the muzzle are positive; left and below negative.
    const struct {
        int pos_x, pos_y, launch_x, launch_y;
        double time;
        const char* text;
    } cases[] = {
        {312, 100, 20, 380, 0.5, "x: 292 y: 280 t: 0.50"},
        {-90, 520, 20, 480, 2.025, "x: -110 y: -40 t: 2.02"},
        {20, 480, 20, 480, 0.025, "x: 0 y: 0 t: 0.03"},
    };
    for (const auto& c : cases) {
        w->mainbullet.pos_x = c.pos_x;
        w->mainbullet.pos_y = c.pos_y;
        w->mainbullet.time = c.time;
        w->player_bot.launch_x = c.launch_x;
        w->player_bot.launch_y = c.launch_y;
        format_hud(*w, 1, texts);
        EXPECT_STREQ(texts.shot, c.text);
    }
}

TEST_F(Hud, AimAndWindFormats)
{
    const struct {
        double vang, v0, wind;
        const char* aim;
        const char* wind_text;
    } cases[] = {
        {90.0, 3.999999999999968, 7.0, "ang: 90.0 pow: 4.00", "  7"},
        {10.0, 9.0e-15, 24.0, "ang: 10.0 pow: 0.00", " 24"},
        {45.0, 0.01, 25.0, "ang: 45.0 pow: 0.01", " 25"},
    };
    for (const auto& c : cases) {
        w->vang = c.vang;
        w->v0 = c.v0;
        w->wind = c.wind;
        format_hud(*w, 0, texts);
        EXPECT_STREQ(texts.aim, c.aim);
        EXPECT_STREQ(texts.wind, c.wind_text);
    }
}

}  // namespace
}  // namespace qm
