// The headless runner end to end: command line, start-up, scripts that fire
// shots, quitting, refused lines and byte-identical reruns.
#include "shell/headless_runner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "terrain/bitmap_writer.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

struct RunResult {
    int code = -1;
    std::string out;
    std::string err;
};

std::string read_all(std::FILE* f)
{
    std::rewind(f);
    std::string text;
    int c;
    while ((c = std::getc(f)) != EOF) text.push_back(static_cast<char>(c));
    return text;
}

RunResult run(std::vector<std::string> args, const std::string& script)
{
    args.insert(args.begin(), {"qmsim", "--headless"});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fputs(script.c_str(), in);
    std::rewind(in);
    RunResult result;
    result.code = run_headless(static_cast<int>(args.size()), argv.data(), in, out, err);
    result.out = read_all(out);
    result.err = read_all(err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return result;
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The number after "key": inside the object named object (or at the top
// level when object is empty).
double field(const std::string& json, const std::string& object, const std::string& key)
{
    std::size_t from = object.empty() ? 0 : json.find("\"" + object + "\":{");
    std::size_t at = json.find("\"" + key + "\":", from);
    EXPECT_NE(at, std::string::npos) << object << "." << key;
    return std::stod(json.substr(at + key.size() + 3));
}

std::string file_bytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

std::string repeat(const std::string& text, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

TEST(HeadlessRunner, StateCarriesEveryKey)
{
    RunResult r = run({}, "state\n");
    ASSERT_EQ(r.code, 0) << r.err;
    const char* keys[] = {"tick", "vang", "v0", "direction", "fire_now", "shoot_delay", "shots_done", "wind", "wang",
                          "random_x", "focus", "cam_x", "cam_y", "mainbullet", "sec_bullet1", "sec_bullet2",
                          "orbit_angle", "orbit_radius", "target1", "player_bot", "slope", "hp", "respawn_ticks",
                          "focus_ticks", "damage_shown", "damage_ticks", "launch_x", "launch_y", "facing",
                          "just_fired"};
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
        {"down space\n", "qmsim: script line 1: unknown key 'space'", 0},
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

}  // namespace
}  // namespace qm
