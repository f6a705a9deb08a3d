// Drills end to end: rounds placed and closed as their shots say, the score,
// the keys a drill turns off, the runner's options and state, and the same
// seed giving the same session.
#include "shell/drill/drill_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "drilled.h"
#include "formats/drill/drill_catalogue.h"
#include "formats/drill/drill_file.h"
#include "formats/history/history.h"
#include "shell/controls/touch_buttons.h"
#include "shell/round_setup.h"
#include "shell/window_procedure.h"
#include "sim/practice.h"
#include "sim/shot_record.h"
#include "sim/world.h"
#include "terrain_test_support.h"
#include "tool_run.h"

namespace qm {
namespace {

using test::Drilled;
using test::QuietPlatform;

bool ready(const World& w) { return round_ready(w); }
bool finder_known(const World& w) { return prediction_view(w).window.reaches; }

TEST(DrillSession, APlayerAimingWithThePowerFinderWinsEveryRoundWithItsFirstShot)
{
    Drilled d("rounds 6\nshots 3\ndistance 250 900\nside either\nwind 0 10\naids all\n", 11);
    d.press(VK_H);
    long long damage = 0;
    for (int round = 0; round < 6; ++round) {
        ASSERT_TRUE(d.until(ready)) << round;
        const World& w = *d.world;
        d.press(w.target1.pos_x < w.player_bot.pos_x ? VK_LEFT : VK_RIGHT);
        d.tick();
        ASSERT_TRUE(d.until(finder_known, 200)) << round;
        d.world->v0 = prediction_view(w).window.best_power();
        d.press(VK_F);
        const int before = d.drill().round;
        for (int i = 0; i < 2000 && d.drill().round == before && !d.drill().finished; ++i) d.tick();
        const DrillRoundRecord& r = d.drill().rounds[round];
        EXPECT_TRUE(r.hit) << round;
        EXPECT_EQ(r.shots, 1) << round;
        EXPECT_GE(r.distance, 250) << round;
        EXPECT_LE(r.distance, 900) << round;
        damage += r.damage;
    }
    EXPECT_TRUE(d.drill().finished);
    EXPECT_EQ(d.drill().first_shot_hits, 6);
    EXPECT_EQ(d.drill().score, 3 * damage);
    EXPECT_TRUE(d.drill().assisted);
}

bool chart_read(const World& w) { return aim_chart_view(w).fired == chart_powers; }

TEST(DrillSession, APlayerAimingByTheAimChartHitsAndTheDrillCountsAsAssisted)
{
    Drilled d("rounds 3\nshots 3\ndistance 250 900\nside either\nwind 0 10\naids all\n", 4);
    d.press(VK_G);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(d.until(ready)) << round;
        const World& w = *d.world;
        d.press(w.target1.pos_x < w.player_bot.pos_x ? VK_LEFT : VK_RIGHT);
        d.tick();
        ASSERT_TRUE(d.until(chart_read, 200)) << round;
        ASSERT_TRUE(aim_chart_view(w).reaches) << round;
        d.world->v0 = aim_chart_view(w).power;
        d.press(VK_F);
        const int before = d.drill().round;
        for (int i = 0; i < 2000 && d.drill().round == before && !d.drill().finished; ++i) d.tick();
        EXPECT_TRUE(d.drill().rounds[round].hit) << round;
    }
    EXPECT_TRUE(d.drill().assisted);
}

TEST(DrillSession, ARoundEndsAtItsLastShotWithEachMissMeasured)
{
    Drilled d("rounds 2\nshots 2\ndistance 600 600\nwind fixed 0 0\n", 3);
    for (int shot = 0; shot < 2; ++shot) {
        ASSERT_TRUE(d.until(ready));
        d.world->vang = 80;
        d.world->v0 = 1.0;  // well short of 600 pixels
        d.press(VK_F);
        d.tick();
    }
    ASSERT_TRUE(d.until(ready));
    const DrillRoundRecord& r = d.drill().rounds[0];
    EXPECT_EQ(d.drill().round, 1);
    EXPECT_FALSE(r.hit);
    EXPECT_EQ(r.shots, 2);
    EXPECT_EQ(r.target_x, d.world->player_bot.pos_x + 600);
    for (int s = 0; s < 2; ++s) EXPECT_GT(r.miss[s], 300) << s;
    EXPECT_EQ(d.drill().score, 0);
    EXPECT_GT(drill_mean_miss(d.drill()), 300.0);
}

// The history line is written, then kept by the platform (a browser page
// keeps its files in the browser's storage): on the drill's end and on the
// abandoned line at exit. A platform that cannot keep it says why, on its
// error line and, for a finished drill, in the results, and gets the line
// back to put by for its next run.
TEST(DrillSession, TheHistoryLineIsKeptByThePlatformOrItSaysWhy)
{
    struct Case {
        bool finish;
        const char* keep_failure;
    };
    for (const Case c : {Case{true, nullptr}, Case{true, "the storage is full"}, Case{false, nullptr},
                         Case{false, "the storage is full"}}) {
        SCOPED_TRACE(std::string(c.finish ? "finished" : "abandoned") + (c.keep_failure ? ", not kept" : ""));
        Drilled d("rounds 2\nshots 1\ndistance 600 600\nwind fixed 0 0\n", 3);
        const std::string path = testing::TempDir() + "qm_kept_history.jsonl";
        std::filesystem::remove(path);
        std::snprintf(d.world->drill.history_file, sizeof d.world->drill.history_file, "%s", path.c_str());
        d.platform.keep_failure = c.keep_failure;
        for (int round = 0; round < (c.finish ? 2 : 1); ++round) {
            ASSERT_TRUE(d.until(ready));
            d.press(VK_F);
            d.tick();
        }
        ASSERT_TRUE(d.until(ready));
        if (!c.finish) record_abandoned(*d.world, d.platform);
        EXPECT_EQ(d.platform.kept, 1);
        std::ifstream lines(path);
        const std::string written{std::istreambuf_iterator<char>(lines), {}};
        EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1);
        EXPECT_EQ(d.platform.put_by, c.keep_failure ? written : "");
        const std::string said = c.keep_failure ? std::string("history not saved: ") + c.keep_failure : "";
        EXPECT_EQ(d.platform.errors, c.keep_failure ? std::vector<std::string>{"qmsim: " + said}
                                                    : std::vector<std::string>{});
        if (c.finish) {
            EXPECT_EQ(d.drill().note, said);
        }
        // What the runner ends with status 1 for; the desktop goes on.
        EXPECT_EQ(d.drill().history_lost, c.keep_failure != nullptr);
    }
}

TEST(DrillSession, EachRoundShowsItsTargetAndAHitSaysWhatItScored)
{
    Drilled d("rounds 2\nshots 3\ndistance 1400 1400\nwind fixed 0 0\naids all\n", 9);
    bool target_shown = false;
    for (int i = 0; i < 400 && !target_shown; ++i) {
        d.tick();
        const int view_centre = d.world->cam1.cam_x + 400;
        target_shown = !d.drill().round_pending && std::abs(view_centre - d.world->target1.pos_x) < 100;
    }
    EXPECT_TRUE(target_shown);  // 1400 pixels off: never in the frame from the player
    d.press(VK_H);
    ASSERT_TRUE(d.until(ready));
    ASSERT_TRUE(d.until(finder_known, 200));
    d.world->v0 = prediction_view(*d.world).window.best_power();
    d.press(VK_F);
    for (int i = 0; i < 2000 && d.drill().round == 0; ++i) d.tick();
    const DrillRoundRecord& r = d.drill().rounds[0];
    ASSERT_TRUE(r.hit);
    char said[64];
    std::snprintf(said, sizeof said, "hit: %d x 3 = %lld", r.damage, r.points);
    // The round's band is new: the window follows the score, to confirm it.
    EXPECT_EQ(std::string(d.world->practice.notice).rfind(std::string(said) + " - best ", 0), 0u)
        << d.world->practice.notice;
}

TEST(DrillSession, ADrillTurnsOffWhatItForbids)
{
    Drilled fixed("angle 30\n", 1);
    ASSERT_TRUE(fixed.until(ready));
    fixed.send(WM_KEYDOWN, VK_UP);
    for (int i = 0; i < 10; ++i) fixed.tick();
    fixed.send(WM_KEYUP, VK_UP);
    EXPECT_EQ(fixed.world->vang, 30.0);  // Up does nothing
    fixed.press(VK_H);
    EXPECT_FALSE(fixed.world->practice.prediction_shown);  // aids none by default
    fixed.press(VK_G);
    EXPECT_FALSE(fixed.world->practice.chart_shown);  // the chart gives the answer away as well
    fixed.press(VK_C);
    EXPECT_TRUE(fixed.platform.quit);  // C quits a running drill; Esc leaves it
}

TEST(DrillSession, EscLeavesARunningDrillKeepingItAsAbandoned)
{
    Drilled d("rounds 3\nshots 1\ndistance 600 600\nwind fixed 0 0\n", 3);
    const std::string path = testing::TempDir() + "qm_left_history.jsonl";
    std::filesystem::remove(path);
    std::snprintf(d.world->drill.history_file, sizeof d.world->drill.history_file, "%s", path.c_str());
    ASSERT_TRUE(d.until(ready));
    d.press(VK_F);
    d.tick();
    ASSERT_TRUE(d.until(ready));
    d.press(VK_ESCAPE);
    EXPECT_FALSE(d.platform.quit);
    EXPECT_FALSE(d.drill().active);
    EXPECT_EQ(d.world->random_wind, 1);  // free practice's wind rule is back
    HistoryContents contents;
    std::string reason;
    ASSERT_TRUE(read_history(path, contents, reason)) << reason;
    ASSERT_EQ(contents.records.size(), 1u);
    EXPECT_TRUE(contents.records[0].abandoned);
    record_abandoned(*d.world, d.platform);  // nothing more at the end of the program
    ASSERT_TRUE(read_history(path, contents, reason)) << reason;
    EXPECT_EQ(contents.records.size(), 1u);
    d.press(VK_ESCAPE);
    EXPECT_TRUE(d.platform.quit);
}

TEST(DrillSession, ResultsTakeEnterAndEscAndGiveBackFreePractice)
{
    Drilled d("rounds 1\nshots 1\ndistance 400 400\nwind fixed 7 90\n", 5);
    auto shoot_once = [&d] {
        ASSERT_TRUE(d.until(ready));
        EXPECT_EQ(d.world->wind, 7.0);
        d.world->vang = 80;
        d.world->v0 = 1.0;
        d.press(VK_F);
        d.tick();
        ASSERT_TRUE(d.until([](const World& w) { return w.drill.finished; }));
        d.tick();
    };
    shoot_once();
    EXPECT_TRUE(d.drill().chart_drawn);
    const std::uint32_t seed = d.drill().seed;
    d.press(VK_RETURN);  // the same drill again, with the next seed
    EXPECT_FALSE(d.drill().finished);
    EXPECT_EQ(d.drill().seed, next_drill_seed(seed));
    EXPECT_EQ(d.drill().chart_count, 1);  // the first session's score is charted
    shoot_once();
    EXPECT_EQ(d.drill().chart_count, 2);
    d.press(VK_ESCAPE);  // free practice, not the end of the program
    EXPECT_FALSE(d.platform.quit);
    EXPECT_FALSE(d.drill().active);
    EXPECT_EQ(d.world->random_wind, 1);  // the round's own wind rule is back
    EXPECT_EQ(d.world->shots_done, 0);
    d.press(VK_ESCAPE);
    EXPECT_TRUE(d.platform.quit);
}

// A phone's player: the drill chosen, played, shot again and left with the
// touch buttons alone, each screen offering its own, its texts naming them.
TEST(DrillSession, TouchButtonsAloneChoosePlayAndLeaveADrill)
{
    Drilled d("rounds 1\nshots 1\ndistance 400 400\nwind fixed 0 0\n", 5);
    auto tap = [&d](Action action) {
        WindowProcedure(*d.world, d.platform, WM_ACTION, static_cast<WPARAM>(index_of(action)), 1);
        WindowProcedure(*d.world, d.platform, WM_ACTION, static_cast<WPARAM>(index_of(action)), 0);
        d.tick();
    };
    auto shown = [&d](const char* text) {
        return overlay_lines(d.world->overlay_text).find(text) != std::string::npos;
    };
    auto shoot = [&] {
        ASSERT_TRUE(d.until(ready));
        tap(Action::fire);
        ASSERT_TRUE(d.until([](const World& w) { return w.drill.finished; }));
        d.tick();
    };
    shoot();
    EXPECT_EQ(touch_screen_shown(*d.world), TouchScreen::results);
    EXPECT_TRUE(shown("Tap Again: shoot again with new draws   Tap Back: free practice"));
    tap(Action::menu_enter);
    EXPECT_FALSE(d.drill().finished);
    EXPECT_EQ(touch_screen_shown(*d.world), TouchScreen::play);
    shoot();
    for (int i = 0; i < 200; ++i) d.tick();  // the menu waits for the shot to land
    tap(Action::drills);
    EXPECT_EQ(touch_screen_shown(*d.world), TouchScreen::menu);
    EXPECT_TRUE(shown("Drills - tap Up/Down, Start starts, Back closes"));
    tap(Action::menu_down);
    const std::string chosen = d.world->drill_menu.names[d.world->drill_menu.selected];
    tap(Action::menu_enter);
    EXPECT_EQ(std::string(d.drill().rules.name), chosen);
    ASSERT_TRUE(d.until(ready));
    tap(Action::fire);
    ASSERT_TRUE(d.until(ready));
    tap(Action::quit);  // in a running drill the close button leaves it
    EXPECT_FALSE(d.drill().active);
    EXPECT_FALSE(d.platform.quit);
    EXPECT_EQ(std::string(d.world->practice.notice), "Drill left: free practice (X again quits)");
    tap(Action::quit);
    EXPECT_TRUE(d.platform.quit);
}

TEST(DrillSession, TheResultsNameTheKeysWithAKeyboard)
{
    Drilled d("rounds 1\nshots 1\ndistance 400 400\nwind fixed 0 0\n", 5);
    ASSERT_TRUE(d.until(ready));
    d.press(VK_F);
    ASSERT_TRUE(d.until([](const World& w) { return w.drill.finished; }));
    d.tick();
    EXPECT_NE(overlay_lines(d.world->overlay_text).find("Enter: shoot again with new draws   Esc: free practice"),
              std::string::npos);
}

std::string state_lines(const std::string& seed)
{
    const std::string script = "until ready\nstate\naim 45 1.3\nfire\nuntil ready\nstate\nfire\nuntil ready\nstate\n";
    test::RunResult r = test::run_headless_script({"--drill", "gale", "--seed", seed}, script);
    EXPECT_EQ(r.code, 0) << r.err;
    return r.out;
}

TEST(DrillSession, TheSameSeedGivesTheSameStateLines)
{
    const std::string a = state_lines("42");
    EXPECT_EQ(a, state_lines("42"));
    EXPECT_NE(a, state_lines("43"));
    EXPECT_NE(a.find("\"drill\":{\"name\":\"Full wind\",\"round\":1,\"rounds\":10,\"shot\":0,\"shots\":3,\"score\":0,"
                     "\"best\":null,\"hits\":0,\"first_shot_hits\":0,\"finished\":false,\"distance\":369,"
                     "\"wind_along\":1,\"band\":\"near, wind barely moves it\",\"predicted\":0.300,\"last_round\":null}"),
              std::string::npos)
        << a;
}

TEST(DrillSession, TheRunnerRefusesBadDrillsBeforeTheFirstTick)
{
    const std::string dir = testing::TempDir() + "qm_drill_bad";
    std::filesystem::create_directories(dir);
    const std::string file = dir + "/bad.drill";
    std::ofstream(file) << "rounds 5\nshots 12\n";
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const Case cases[] = {
        {{"--drill", file}, "qmsim: " + file + ":2: shots needs a whole number from 1 to 10, not '12'\n"},
        {{"--drill", "still", "--map", "x.bmp"}, "qmsim: --drill sets the map and the wind; leave out --map and --wind\n"},
        {{"--seed", "4"}, "qmsim: --seed needs --drill\n"},
        {{"--drill", "still", "--seed", "-1"}, "qmsim: bad seed '-1': a whole number from 0 to 4294967295\n"},
    };
    for (const Case& c : cases) {
        test::RunResult r = test::run_headless_script(c.args, "state\n");
        EXPECT_EQ(r.code, 2) << c.error;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), c.error);
        EXPECT_EQ(r.out, "");
    }
}

TEST(DrillSession, EnteringADrillClearsFreePracticesTraceAndScorePanel)
{
    auto world = std::make_unique<World>();
    std::string error, warning;
    ASSERT_TRUE(set_up_round(*world, RoundSettings{}, error)) << error;
    arm_practice(*world);
    world->practice.trace_shown = true;
    world->practice.trace.shells[0].count = 12;
    world->practice.trace.shells[1].struck = true;
    world->practice.score_shown = true;
    DrillRules rules;
    ASSERT_TRUE(parse_drill("rounds 1\n", "t.drill", "", "t", rules, error)) << error;
    ASSERT_TRUE(start_drill(*world, rules, 1, warning, error)) << error;
    EXPECT_EQ(world->practice.trace.shells[0].count, 0);
    EXPECT_FALSE(world->practice.trace.shells[1].struck);
    EXPECT_FALSE(world->practice.score_shown);
    EXPECT_TRUE(world->practice.trace_shown) << "the trace stays on for the drill's own shots";
}

TEST(DrillSession, DOpensTheMenuAndEnterStartsTheChosenDrill)
{
    test::RunResult r = test::run_headless_script(
        {}, "until ready\nstate\ndown d\nup d\ndown down\nup down\ndown enter\nup enter\nstate\n");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"drill\":null"), std::string::npos);
    EXPECT_NE(r.out.find("\"drill\":{\"name\":\"Breeze\""), std::string::npos) << r.out;
}

TEST(DrillSession, TheMenuDescribesEachDrillAsTheDrillsCommandDoes)
{
    Drilled d("rounds 1\n", 1);
    ASSERT_TRUE(d.until(ready));
    d.press(VK_D);
    const DrillMenu& menu = d.world->drill_menu;
    ASSERT_TRUE(menu.open);
    DrillRules breeze;
    std::string error;
    ASSERT_TRUE(find_drill("breeze", breeze, error)) << error;
    EXPECT_STREQ(menu.keys[1], "breeze");
    EXPECT_EQ(menu.descriptions[1], describe_drill(breeze));
}

TEST(DrillRunner, TheReadmesPictureIsMadeAgainByItsScript)
{
    // The script writes docs/drills.png under the working folder.
    test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "docs");
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const test::RunResult r = test::run_headless_script(
        {"--drill", QM_SOURCE_DIR "/docs/sample.drill", "--seed", "7", "--script", QM_SOURCE_DIR "/docs/drills.txt"}, "");
    std::filesystem::current_path(home);
    ASSERT_EQ(r.code, 0) << r.err;
    auto bytes = [](const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    EXPECT_EQ(bytes(dir.path() / "docs/drills.png"), bytes(QM_SOURCE_DIR "/docs/drills.png"))
        << "if the picture changed on purpose, make it again as README says";
}

}  // namespace
}  // namespace qm
