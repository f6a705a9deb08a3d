// The keys around a drill's rounds: nothing aims or fires while a round
// starts, leaving a drill gives back free practice's map, and F12 saves the
// frame over the drill's menu and results as anywhere else.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "drilled.h"
#include "sim/drill/drill_draw.h"
#include "sim/shot_record.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

using test::Drilled;

constexpr const char* one_round = "rounds 1\nshots 1\ndistance 400 400\nwind fixed 0 0\n";

bool starting(const World& w) { return drill_round_starting(w); }
bool ready(const World& w) { return round_ready(w); }
bool finished(const World& w) { return w.drill.finished; }

std::string drill_line(const World& w)
{
    char line[drill_line_size];
    format_drill_line(w.drill, drill_round_starting(w), line);
    return line;
}

TEST(DrillKeys, WhileARoundStartsTheAimAndFireKeysDoNothingAndTheLineSaysWait)
{
    const struct {
        const char* name;
        WPARAM key;
    } cases[] = {{"fire", VK_F}, {"angle up", VK_UP}, {"angle down", VK_DOWN}, {"power up", VK_ADD},
                 {"power down", VK_SUBTRACT}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Drilled d(one_round, 4);
        // The target is placed and falls, the view on it.
        ASSERT_TRUE(d.until([](const World& w) { return !w.drill.round_pending; }));
        ASSERT_TRUE(starting(*d.world));
        EXPECT_NE(drill_line(*d.world).find("  wait"), std::string::npos) << drill_line(*d.world);
        const double angle = d.world->vang;
        const double power = d.world->v0;
        d.press(c.key);
        EXPECT_EQ(d.world->fire_now, 0);
        ASSERT_TRUE(d.until(ready));
        for (int i = 0; i < 100; ++i) d.tick();
        EXPECT_FALSE(starting(*d.world));
        EXPECT_EQ(drill_line(*d.world).find("wait"), std::string::npos) << drill_line(*d.world);
        EXPECT_EQ(d.drill().shots, 0);  // nothing fired when the target landed
        EXPECT_EQ(d.world->vang, angle);
        EXPECT_EQ(d.world->v0, power);
        // Once the aim is free the same key acts.
        d.press(c.key);
        for (int i = 0; i < 40; ++i) d.tick();
        EXPECT_NE(d.drill().shots + d.world->vang + d.world->v0, angle + power);
    }
}

TEST(DrillKeys, LeavingADrillGivesBackFreePracticesMap)
{
    const struct {
        const char* name;
        bool finish;  // Esc on the results rather than in a running round
    } cases[] = {{"Esc in a running round", false}, {"Esc on the results", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Drilled d(one_round, 6);
        EXPECT_EQ(d.world->flat_map, 0);  // the drill's own level map
        ASSERT_TRUE(d.until(ready));
        if (c.finish) {
            d.world->vang = 80;
            d.world->v0 = 1.0;
            d.press(VK_F);
            ASSERT_TRUE(d.until(finished));
        }
        d.press(VK_ESCAPE);
        EXPECT_FALSE(d.platform.quit);
        EXPECT_FALSE(d.drill().active);
        EXPECT_EQ(d.world->flat_map, 1);
        ASSERT_TRUE(d.until(round_at_rest));
        EXPECT_EQ(d.world->player_bot.pos_y, 500);  // on the flat map's ground line
        d.press(VK_ESCAPE);
        EXPECT_TRUE(d.platform.quit);
    }
}

TEST(DrillKeys, F12OverTheMenuAndTheResultsSavesTheFrame)
{
    const struct {
        const char* name;
        bool menu;
    } cases[] = {{"the results", false}, {"the drill menu", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        Drilled d(one_round, 6);
        ASSERT_TRUE(d.until(ready));
        d.world->vang = 80;
        d.world->v0 = 1.0;
        d.press(VK_F);
        ASSERT_TRUE(d.until(finished));
        ASSERT_TRUE(d.until(ready));  // the menu opens once the shot has landed
        if (c.menu) d.press(VK_D);
        ASSERT_EQ(d.world->drill_menu.open, c.menu);
        const std::filesystem::path home = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        d.press(VK_F12);
        std::filesystem::current_path(home);
        EXPECT_EQ(std::string(d.world->practice.notice).rfind("Screenshot saved: screenshots/", 0), 0u)
            << d.world->practice.notice;
        EXPECT_TRUE(d.platform.errors.empty());
        EXPECT_TRUE(d.drill().finished);  // the results stay
    }
}

}  // namespace
}  // namespace qm
