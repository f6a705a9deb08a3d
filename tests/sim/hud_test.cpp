// The HUD texts as formatted for the frame.
#include "sim/hud.h"

#include <gtest/gtest.h>

#include <memory>

#include "sim/world.h"

namespace qm {
namespace {

TEST(Hud, FirstLineShowsZerosAtRestAndOffsetsFromTheMuzzleInFlight)
{
    // Right of and above the muzzle are positive; left and below negative.
    const struct {
        int busy;
        int pos_x, pos_y, launch_x, launch_y;
        double time;
        const char* text;
    } cases[] = {
        {0, 812, 40, 10, 480, 3.2, "x: 0 y: 0"},
        {1, 312, 100, 20, 380, 0.5, "x: 292 y: 280 t: 0.50"},
        {1, -90, 520, 20, 480, 2.025, "x: -110 y: -40 t: 2.02"},
        {1, 20, 480, 20, 480, 0.025, "x: 0 y: 0 t: 0.03"},
    };
    auto w = std::make_unique<World>();
    for (const auto& c : cases) {
        w->mainbullet.pos_x = c.pos_x;
        w->mainbullet.pos_y = c.pos_y;
        w->mainbullet.time = c.time;
        w->player_bot.launch_x = c.launch_x;
        w->player_bot.launch_y = c.launch_y;
        HudTexts texts{};
        format_hud(*w, c.busy, texts);
        EXPECT_STREQ(texts.shot, c.text);
        EXPECT_STREQ(texts.close, "Press 'Esc' to close");
    }
}

TEST(Hud, AimAndWindFormats)
{
    const struct {
        double vang, v0, wind;
        const char* aim;
        const char* wind_text;
    } cases[] = {
        {50.0, 2.5, 0.0, "ang: 50.0 pow: 2.50", "  0"},
        {90.0, 3.999999999999968, 7.0, "ang: 90.0 pow: 4.00", "  7"},
        {10.0, 9.0e-15, 24.0, "ang: 10.0 pow: 0.00", " 24"},
    };
    auto w = std::make_unique<World>();
    for (const auto& c : cases) {
        w->vang = c.vang;
        w->v0 = c.v0;
        w->wind = c.wind;
        HudTexts texts{};
        format_hud(*w, 0, texts);
        EXPECT_STREQ(texts.aim, c.aim);
        EXPECT_STREQ(texts.wind, c.wind_text);
    }
}

}  // namespace
}  // namespace qm
