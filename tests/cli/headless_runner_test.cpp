// The headless runner end to end: command line, start-up, scripts that fire
// shots, quitting, refused lines and byte-identical reruns.
#include "cli/runner/headless_runner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "terrain/bitmap_writer.h"
#include "terrain_test_support.h"
#include "tool_run.h"

namespace qm {
namespace {

using test::RunResult;

RunResult run(std::vector<std::string> args, const std::string& script, std::FILE* out_to = nullptr)
{
    return test::run_headless_script(std::move(args), script, out_to);
}

using test::lines_of;
using test::repeat;

// The number after "key" inside object (the top level when empty).
double field(const std::string& json, const std::string& object, const std::string& key)
{
    const double value = test::state_field(json, object, key);
    EXPECT_FALSE(std::isnan(value)) << object << "." << key;
    return value;
}

std::string file_bytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}


TEST(HeadlessRunner, StateCarriesEveryKey)
{
    RunResult r = run({}, "state\n");
    ASSERT_EQ(r.code, 0) << r.err;
    const char* keys[] = {"tick", "vang", "v0", "direction", "fire_now", "shoot_delay", "shots_done", "wind", "wang",
                          "random_x", "focus", "cam_x", "cam_y", "mainbullet", "sec_bullet1", "sec_bullet2",
                          "orbit_angle", "orbit_radius", "target1", "player_bot", "slope", "hp", "respawn_ticks",
                          "focus_ticks", "damage_shown", "damage_ticks", "launch_x", "launch_y", "facing",
                          "just_fired", "prediction", "power_finder", "chart", "score", "shots", "damaging_shots", "kills",
                          "accuracy", "total_damage", "best_damage", "paused", "replaying"};
    for (const char* key : keys) {
        std::string quoted_key = std::string("\"").append(key).append("\":");
        EXPECT_NE(r.out.find(quoted_key), std::string::npos) << key;
    }
    EXPECT_EQ(lines_of(r.out).size(), 1u);
    EXPECT_EQ(field(r.out, "", "vang"), 50.0);
    EXPECT_EQ(field(r.out, "", "v0"), 2.5);
    EXPECT_EQ(field(r.out, "", "wang"), 90.0);
}

TEST(HeadlessRunner, AShotOnTheFlatMapFliesStrikesAndRests)
{
    RunResult r = run({}, "tick 60\ndown f\nup f\n" + repeat("tick\nstate\n", 300));
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<std::string> states = lines_of(r.out);
    ASSERT_EQ(states.size(), 300u);

    // The main projectile's state tick by tick: at rest, in flight (0), the
    // impact counting 1 to 39, at rest again.
    std::vector<int> phases;
    for (const std::string& s : states) phases.push_back(static_cast<int>(field(s, "mainbullet", "state")));
    std::size_t launch = 0;
    while (launch < phases.size() && phases[launch] == 40) ++launch;
    EXPECT_EQ(launch, 29u);  // fired in the 30th tick after the request
    ASSERT_LT(launch + 1, phases.size());
    // Launched at the end of its tick; the first step comes with the next.
    EXPECT_EQ(field(states[launch], "mainbullet", "time"), 0.0);
    EXPECT_EQ(field(states[launch + 1], "mainbullet", "time"), 0.025);
    std::size_t impact = launch;
    while (impact < phases.size() && phases[impact] == 0) ++impact;
    ASSERT_LT(impact + 39, phases.size());
    for (int k = 0; k < 39; ++k) EXPECT_EQ(phases[impact + k], k + 1);
    EXPECT_EQ(phases[impact + 39], 40);
    EXPECT_GE(field(states[impact], "mainbullet", "pos_y"), 500.0);  // the flat ground line
    EXPECT_GT(field(states[impact], "mainbullet", "pos_x"), 0.0);
    EXPECT_EQ(field(states.back(), "", "shots_done"), 1.0);
}

TEST(HeadlessRunner, FixedWindIsTakenFromTheCommandLine)
{
    RunResult r = run({"--wind", "fixed:12:270"}, "tick\nstate\n");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(field(r.out, "", "wind"), 12.0);
    EXPECT_EQ(field(r.out, "", "wang"), 270.0);
}

TEST(HeadlessRunner, RandomWindChangesAfterTheSecondShot)
{
    const std::string shot = "down f\nup f\ntick 250\nstate\n";
    RunResult r = run({"--wind", "random:2"}, shot + shot + "tick\nstate\n");
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<std::string> states = lines_of(r.out);
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(field(states[0], "", "shots_done"), 1.0);
    EXPECT_EQ(field(states[0], "", "wind"), 0.0);
    EXPECT_EQ(field(states[0], "", "wang"), 90.0);
    // The second shot came to rest within the 250 ticks, so the first idle
    // tick after it already rolled the new wind.
    EXPECT_EQ(field(states[1], "", "shots_done"), 0.0);
    EXPECT_NE(field(states[1], "", "wang"), 90.0);
    EXPECT_EQ(field(states[2], "", "wind"), field(states[1], "", "wind"));
    EXPECT_EQ(field(states[2], "", "wang"), field(states[1], "", "wang"));
}

TEST(HeadlessRunner, CAndEscEndTheRunAtOnce)
{
    const char* scripts[] = {"down c\nstate\n", "tick\ndown esc\nstate\nbogus\n", "down f\ntick 40\ndown esc\n"};
    for (const char* script : scripts) {
        RunResult r = run({}, script);
        EXPECT_EQ(r.code, 0) << script;
        EXPECT_EQ(r.out, "") << script;
        EXPECT_EQ(r.err, "") << script;
    }
}

TEST(HeadlessRunner, ABadLineStopsTheRunWithItsNumber)
{
    const struct {
        const char* script;
        const char* message;
        std::size_t states_before;
    } cases[] = {
        {"state\nfly\nstate\n", "qmsim: script line 2: unknown command 'fly'\n", 1},
        {"# aim\n\ntick 2\nstate\ntick two\n", "qmsim: script line 5: tick needs", 1},
        {"down spacebar\n", "qmsim: script line 1: unknown key 'spacebar'", 0},
        {"rdown 900 10\n", "qmsim: script line 1: rdown needs X", 0},
    };
    for (const auto& c : cases) {
        RunResult r = run({}, c.script);
        EXPECT_EQ(r.code, 2) << c.script;
        EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << r.err;
        EXPECT_EQ(lines_of(r.out).size(), c.states_before) << c.script;
    }

    // A line without end is refused, not read into memory for ever.
    RunResult r = run({}, "state\n#" + std::string(5000, 'x'));
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "qmsim: script line 2: longer than 4096 characters\n");
    EXPECT_EQ(lines_of(r.out).size(), 1u);
}

TEST(HeadlessRunner, BadCommandLinesGiveUsage)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--wind", "random:0"}, {"--wind", "random:21"}, {"--wind", "fixed:26:0"}, {"--wind", "fixed:3:360"},
        {"--wind", "fixed:3"},  {"--wind", "gusty"},     {"--wind", "random:-1"},  {"--wind"},
        {"--map"},              {"--fast"},
    };
    for (const auto& args : cases) {
        RunResult r = run(args, "state\n");
        EXPECT_EQ(r.code, 2) << args[0];
        EXPECT_NE(r.err.find("usage: qmsim --headless"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(HeadlessRunner, AMapFileIsBuiltIntoTerrainBeforeTheFirstTick)
{
    // Terrain in the lower half of an 800 by 800 map: world y 900 and below,
    // x -400 to 399. Both units fall onto it instead of the flat ground line.
    test::TempDir dir;
    MapPicture picture(800, 800);
    for (int row = 400; row < 800; ++row)
        for (int column = 0; column < 800; ++column) picture.at(row, column) = map_terrain;
    const std::string map = (dir.path() / "half.bmp").string();
    ASSERT_TRUE(write_bitmap(map, picture));

    RunResult r = run({"--map", map}, "tick 100\nstate\n");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(field(r.out, "player_bot", "pos_y"), 900.0);
    EXPECT_EQ(field(r.out, "target1", "pos_y"), 900.0);
    EXPECT_EQ(field(r.out, "target1", "hp"), 1000.0);
}

TEST(HeadlessRunner, UnusableInputFilesAreNamed)
{
    test::TempDir dir;
    const std::string text_file = (dir.path() / "notes.bmp").string();
    ASSERT_TRUE(write_file(text_file, {'B', 'M', 'a', 'p', '\n'}));
    for (const std::string& bad_map : {std::string("no-such-map.bmp"), text_file}) {
        RunResult map = run({"--map", bad_map}, "state\n");
        EXPECT_EQ(map.code, 2);
        EXPECT_NE(map.err.find(bad_map), std::string::npos) << map.err;
        EXPECT_EQ(map.out, "");
    }

    RunResult script = run({"--script", "no-such-script.txt"}, "state\n");
    EXPECT_EQ(script.code, 2);
    EXPECT_NE(script.err.find("no-such-script.txt"), std::string::npos) << script.err;
}

TEST(HeadlessRunner, TheSameScriptGivesTheSameOutputAndFrames)
{
    test::TempDir scratch;
    const std::string dir = scratch.path().string() + "/";
    auto script = [&](const std::string& tag) {
        return "down left\ntick 3\ndown f\ntick 45\nframe " + dir + tag + "-a.png\nstate\nrdown 400 300\nmove 380 "
               "310\ntick 20\nrup\ntick 100\nframe " + dir + tag + "-b.png\nstate\n";
    };
    RunResult first = run({"--wind", "random:1"}, script("first"));
    RunResult second = run({"--wind", "random:1"}, script("second"));
    ASSERT_EQ(first.code, 0) << first.err;
    ASSERT_EQ(second.code, 0) << second.err;
    EXPECT_EQ(first.out, second.out);
    for (const char* frame : {"-a.png", "-b.png"}) {
        std::string a = file_bytes(dir + "first" + frame);
        EXPECT_FALSE(a.empty()) << frame;
        EXPECT_EQ(a, file_bytes(dir + "second" + frame)) << frame;
    }
}

// Every key of a state line, objects' keys after the object's own, in order.
std::vector<std::string> keys_of(const std::string& json)
{
    std::vector<std::string> keys;
    for (std::size_t at = json.find('"'); at != std::string::npos; at = json.find('"', at)) {
        const std::size_t end = json.find('"', at + 1);
        keys.push_back(json.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    return keys;
}

// The state's keys are what scripts and the README's table rely on: a change
// must be made on purpose, here and there.
TEST(HeadlessRunner, StateKeysArePinned)
{
    const std::vector<std::string> body = {"pos_x", "pos_y", "time", "state"};
    const std::vector<std::string> unit = {"pos_x", "pos_y", "state", "slope", "hp", "respawn_ticks",
                                           "focus_ticks", "damage_shown", "damage_ticks"};
    std::vector<std::string> keys = {"tick", "vang", "v0", "direction", "fire_now", "shoot_delay", "shots_done",
                                     "wind", "wang", "random_x", "focus", "cam_x", "cam_y", "mainbullet"};
    keys.insert(keys.end(), body.begin(), body.end());
    for (const char* secondary : {"sec_bullet1", "sec_bullet2"}) {
        keys.push_back(secondary);
        keys.insert(keys.end(), body.begin(), body.end());
        keys.insert(keys.end(), {"orbit_angle", "orbit_radius"});
    }
    keys.push_back("target1");
    keys.insert(keys.end(), unit.begin(), unit.end());
    keys.push_back("player_bot");
    keys.insert(keys.end(), unit.begin(), unit.end());
    keys.insert(keys.end(), {"launch_x", "launch_y", "facing", "just_fired", "last_impact"});
    std::vector<std::string> struck = keys;
    struck.insert(struck.end(), {"tick", "x", "y", "dx", "dy", "flight_ticks", "target_damage", "player_damage"});
    for (std::vector<std::string>* k : {&keys, &struck}) {
        k->insert(k->end(), {"prediction", "power_finder", "chart", "score", "shots", "damaging_shots", "kills", "accuracy",
                             "total_damage", "best_damage", "paused", "replaying", "drill", "controls", "preset",
                             "laptop", "file"});  // the preset's name is a string too
    }

    RunResult r = run({}, "state\nuntil rest\nfire\nuntil rest\nstate\n");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> states = lines_of(r.out);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(keys_of(states[0]), keys);
    EXPECT_NE(states[0].find("\"last_impact\":null,"), std::string::npos);
    EXPECT_EQ(keys_of(states[1]), struck);
}

TEST(HeadlessRunner, UntilRestRunsTicksUntilNothingMoves)
{
    const struct {
        const char* map;
        const char* script;
        double tick;  // of the state printed last
    } cases[] = {
        {nullptr, "until rest\nstate\n", 61},                   // the player lands on the flat map
        {"hills.bmp", "until rest\nstate\n", 83},               // the target lands at 80, the player at 83
        {"hills.bmp", "until rest 50\nstate\n", 50},            // no further than MAX
        {nullptr, "until rest\nuntil rest\nstate\n", 61},      // at rest already: no tick
        {nullptr, "tick 100\nuntil rest\nstate\n", 100},
        // The request's 30 ticks, the flight and the impact's 39 ticks all
        // end before it returns: 61 + 30 + 85 + 39.
        {nullptr, "until rest\nfire\nuntil rest\nstate\n", 215},
        {"hills.bmp", "until rest\naim 64 1.01\nfire\nuntil rest\nstate\n", 203},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--wind", "fixed:0:0"};
        if (c.map != nullptr) args.insert(args.end(), {"--map", std::string(QM_SOURCE_DIR "/maps/") + c.map});
        RunResult r = run(args, c.script);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(field(lines_of(r.out).back(), "", "tick"), c.tick) << c.script;
    }
}

TEST(HeadlessRunner, AimFaceAndFireActAsTheKeysWould)
{
    RunResult r = run({"--wind", "fixed:0:0"},
                      "until rest\naim 33.5 1.25\nface left\nstate\ntick\nstate\nfire\ntick 29\nstate\ntick\nstate\n");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> states = lines_of(r.out);
    ASSERT_EQ(states.size(), 4u);
    EXPECT_EQ(field(states[0], "", "vang"), 33.5);
    EXPECT_EQ(field(states[0], "", "v0"), 1.25);
    EXPECT_EQ(field(states[0], "", "direction"), -1.0);
    EXPECT_EQ(field(states[1], "player_bot", "facing"), -1.0);  // the unit turns in the next tick
    EXPECT_EQ(field(states[2], "", "fire_now"), 1.0);           // pressed and released: still pending
    EXPECT_EQ(field(states[2], "mainbullet", "state"), 40.0);
    EXPECT_EQ(field(states[3], "mainbullet", "state"), 0.0);    // left in the 30th tick
    EXPECT_EQ(field(states[3], "", "shots_done"), 1.0);
}

TEST(HeadlessRunner, LastImpactIsKeptFromTheStrikeUntilTheNextShotLeaves)
{
    const std::string script =
        "until rest\nfire\ntick 30\nstate\ntick 84\nstate\ntick\nstate\nuntil rest\ntick 10\nstate\n"
        "aim 80 1\nfire\ntick 29\nstate\ntick\nstate\n";
    RunResult r = run({"--wind", "fixed:0:0"}, script);
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> states = lines_of(r.out);
    ASSERT_EQ(states.size(), 6u);
    const bool null_at[] = {true, true, false, false, false, true};
    for (std::size_t i = 0; i < states.size(); ++i) {
        EXPECT_EQ(states[i].find("\"last_impact\":null") != std::string::npos, null_at[i]) << i << ": " << states[i];
    }
    // Launched in tick 91, struck in tick 176 after 85 ticks of flight, 777
    // pixels right of and 37 below the muzzle, on the flat ground line.
    for (std::size_t i : {2u, 3u, 4u}) {
        EXPECT_EQ(field(states[i], "last_impact", "tick"), 176.0);
        EXPECT_EQ(field(states[i], "last_impact", "flight_ticks"), 85.0);
        EXPECT_EQ(field(states[i], "last_impact", "x"), 807.0);
        EXPECT_EQ(field(states[i], "last_impact", "y"), 500.0);
        EXPECT_EQ(field(states[i], "last_impact", "dx"), 777.0);
        EXPECT_EQ(field(states[i], "last_impact", "dy"), -37.0);
    }
}

TEST(HeadlessRunner, ScriptsAsEditorsSaveThemRunTheSame)
{
    const std::string plain = "tick 3\nstate\n";
    const std::string variants[] = {
        "\xEF\xBB\xBFtick 3\nstate\n",                // a byte-order mark
        "tick 3\r\nstate\r\n",                       // CRLF line ends
        "\xEF\xBB\xBFtick 3 # wait\r\n# look\r\nstate  # now\r\n",
        "tick 3\rstate\r",                           // an old Mac editor's CR alone
        "tick 3\r\rstate",
    };
    const RunResult expected = run({}, plain);
    ASSERT_EQ(expected.code, 0) << expected.err;
    for (const std::string& v : variants) {
        RunResult r = run({}, v);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, expected.out);
    }
    // A byte-order mark anywhere else is no blank.
    EXPECT_EQ(run({}, "tick\n\xEF\xBB\xBFtick\n").code, 2);
}

}  // namespace
}  // namespace qm
