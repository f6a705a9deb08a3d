// The practice aids through the headless runner: their keys, their state
// keys, and predictions checked against the shots the runner then fires.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "sim/aim_chart.h"
#include "terrain_test_support.h"
#include "tool_run.h"

namespace qm {
namespace {

const std::string hills = QM_SOURCE_DIR "/maps/hills.bmp";

using test::lines_of;

// What follows "key": inside the object named object (top level when empty),
// up to the next comma or closing brace.
std::string value(const std::string& json, const std::string& object, const std::string& key)
{
    const std::size_t from = object.empty() ? 0 : json.find("\"" + object + "\":");
    const std::size_t at = json.find("\"" + key + "\":", from);
    if (from == std::string::npos || at == std::string::npos) return "missing";
    const std::size_t start = at + key.size() + 3;
    return json.substr(start, json.find_first_of(",}", start) - start);
}

TEST(PracticeRunner, EveryPredictedStrikeIsWhereTheRunnersShotLands)
{
    const char* aims[] = {"aim 60 1.08\nface right", "aim 45 1.30\nface right", "aim 30 0.70\nface right",
                          "aim 75 1.80\nface left",  "aim 55 2.60\nface right", "aim 20 1.00\nface left"};
    std::string script = "until rest\ntick 60\ndown h\nup h\n";
    for (const char* aim : aims) script += std::string(aim) + "\ntick\nstate\nfire\nuntil rest\ntick 60\nstate\n";
    const test::RunResult r = test::run_headless_script({"--map", hills, "--wind", "fixed:9:150"}, script);
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> states = lines_of(r.out);
    ASSERT_EQ(states.size(), 2 * std::size(aims));
    for (std::size_t i = 0; i < states.size(); i += 2) {
        const std::string& before = states[i];
        const std::string& after = states[i + 1];
        ASSERT_NE(value(before, "", "prediction"), "null") << aims[i / 2];
        EXPECT_EQ(value(before, "prediction", "x"), value(after, "last_impact", "x")) << aims[i / 2];
        EXPECT_EQ(value(before, "prediction", "y"), value(after, "last_impact", "y")) << aims[i / 2];
        EXPECT_NE(value(before, "", "power_finder"), "missing");
    }
}

TEST(PracticeRunner, TheAidsKeysShowInTheState)
{
    // The README's shot strikes the target for 195 hit points.
    const std::string shot = "until rest\naim 60 1.08\nface right\nfire\nuntil rest\n";
    const struct {
        const char* name;
        std::string script;
        std::vector<std::pair<std::string, std::string>> expected;  // of the first state: (object.key or key, value)
        bool held;  // the last state shows the round as the first (but for the tick count)
    } cases[] = {
        {"nothing on", "tick\nstate\n",
         {{"prediction", "null"}, {"power_finder", "null"}, {"chart", "null"}, {"paused", "false"},
          {"replaying", "false"}},
         false},
        {"g shows the chart once worked out", "until rest\naim 60 1.08\ndown g\nup g\ntick 8\nstate\n",
         {{"chart.shots", "401"}, {"chart.target_distance", "132"}},
         false},
        {"the chart is worked out a slice a tick", "until rest\ndown g\nup g\ntick 2\nstate\n",
         {{"chart.shots", "64"}, {"chart.power", "null"}},
         false},
        {"g again hides it", "until rest\ndown g\nup g\ntick 8\ndown g\nup g\ntick\nstate\n",
         {{"chart", "null"}},
         false},
        {"nothing while the shot flies", "until rest\ndown g\nup g\nfire\ntick 40\nstate\n",
         {{"chart", "null"}},
         false},
        {"the score counts a hit", shot + "state\n",
         {{"score.shots", "1"}, {"score.damaging_shots", "1"}, {"score.accuracy", "100"},
          {"score.total_damage", "195"}, {"score.best_damage", "195"}, {"score.kills", "0"}},
         false},
        {"pause holds the round", "tick 3\nfire\ntick 40\ndown p\nup p\ntick\nstate\ntick 30\nstate\n",
         {{"paused", "true"}},
         true},
        {"a replay holds the round until any key",
         shot + "down r\nup r\ntick 5\nstate\ntick 5\ndown t\nup t\nstate\n",
         {{"replaying", "true"}},
         true},
        {"recall brings the last aim back", shot + "tick 60\naim 20 3.5\nface left\ndown u\nup u\ntick\nstate\n",
         {{"vang", "60"}, {"v0", "1.0800000000000001"}, {"direction", "1"}},
         false},
    };
    for (const auto& c : cases) {
        const test::RunResult r = test::run_headless_script({"--map", hills, "--wind", "fixed:5:180"}, c.script);
        ASSERT_EQ(r.code, 0) << c.name << ": " << r.err;
        const std::vector<std::string> states = lines_of(r.out);
        ASSERT_FALSE(states.empty()) << c.name;
        for (const auto& [path, expected] : c.expected) {
            const std::size_t dot = path.find('.');
            const std::string object = dot == std::string::npos ? "" : path.substr(0, dot);
            const std::string key = dot == std::string::npos ? path : path.substr(dot + 1);
            EXPECT_EQ(value(states.front(), object, key), expected) << c.name << ": " << path;
        }
        if (c.held) {
            ASSERT_EQ(states.size(), 2u) << c.name;
            // The tick count is the runner's; everything after it is the round's.
            const std::string first = states.front().substr(states.front().find(",\"vang\""));
            const std::string last = states.back().substr(states.back().find(",\"vang\""));
            EXPECT_EQ(first.substr(0, first.find("\"paused\"")), last.substr(0, last.find("\"paused\""))) << c.name;
        }
    }
}

TEST(PracticeRunner, TheChartsPowerFiredCostsTheTargetMoreThanItsNeighbours)
{
    // The runner fires the power read off and its two neighbours on the
    // curve: the middle one strikes where the chart plotted it, and costs
    // the target more than the lower neighbour and no less than the higher.
    const struct {
        const char* wind;
        const char* aim;
        int direction;
    } cases[] = {
        {"fixed:5:180", "aim 60 1\nface right", 1},
        {"fixed:0:0", "aim 45 1\nface right", 1},
        {"fixed:20:0", "aim 30 1\nface right", 1},
        {"fixed:12:90", "aim 75 1\nface right", 1},
    };
    const double step = 1.0 / chart_steps_per_unit;
    for (const auto& c : cases) {
        const std::string name = std::string(c.wind) + " " + c.aim;
        const std::string read = "until rest\n" + std::string(c.aim) + "\ndown g\nup g\ntick 8\nstate\n";
        const test::RunResult chart = test::run_headless_script({"--map", hills, "--wind", c.wind}, read);
        ASSERT_EQ(chart.code, 0) << name << ": " << chart.err;
        const std::string power = value(chart.out, "chart", "power");
        ASSERT_NE(power, "null") << name;
        const double p = std::stod(power);
        int strikes[3];
        int damage[3];
        for (int i = 0; i < 3; ++i) {
            const std::string angle = std::string(c.aim).substr(4, 2);
            const std::string fire = "until rest\naim " + angle + " " + std::to_string(p + (i - 1) * step) +
                                     "\nface right\nfire\nuntil rest\nstate\n";
            const test::RunResult shot = test::run_headless_script({"--map", hills, "--wind", c.wind}, fire);
            ASSERT_EQ(shot.code, 0) << name << ": " << shot.err;
            strikes[i] = std::stoi(value(shot.out, "last_impact", "dx")) * c.direction;
            damage[i] = std::stoi(value(shot.out, "last_impact", "target_damage"));
        }
        EXPECT_EQ(std::to_string(strikes[1]), value(chart.out, "chart", "power_distance")) << name;
        EXPECT_GT(damage[1], damage[0]) << name;
        EXPECT_GE(damage[1], damage[2]) << name;
    }
}

TEST(PracticeRunner, F12WritesUnderScreenshotsOrSaysWhyOnStderr)
{
    test::TempDir dir;
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const test::RunResult saved = test::run_headless_script({}, "tick\ndown f12\nup f12\n");
    std::filesystem::remove_all("screenshots");
    { std::ofstream blocker("screenshots"); }
    const test::RunResult refused = test::run_headless_script({}, "tick\ndown f12\nup f12\ntick\n");
    std::filesystem::current_path(home);

    EXPECT_EQ(saved.code, 0);
    EXPECT_EQ(saved.err, "");
    // A failed screenshot is no failed run: the script goes on.
    EXPECT_EQ(refused.code, 0);
    EXPECT_EQ(refused.err.rfind("qmsim: screenshot: cannot write screenshots/", 0), 0u) << refused.err;
    EXPECT_NE(refused.err.find(": Not a directory\n"), std::string::npos) << refused.err;
}

TEST(PracticeRunner, TheReadmesPicturesAreMadeAgainByTheirScripts)
{
    // Each script writes docs/NAME.png under the working folder.
    for (const char* name : {"practice", "aim-chart"}) {
        test::TempDir dir;
        std::filesystem::create_directory(dir.path() / "docs");
        const std::filesystem::path home = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        const std::string script = QM_SOURCE_DIR "/docs/" + std::string(name) + ".txt";
        const test::RunResult r =
            test::run_headless_script({"--map", hills, "--wind", "fixed:5:180", "--script", script}, "");
        std::filesystem::current_path(home);
        ASSERT_EQ(r.code, 0) << name << ": " << r.err;
        auto bytes = [](const std::filesystem::path& path) {
            std::ifstream file(path, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(file), {});
        };
        const std::string png = "docs/" + std::string(name) + ".png";
        EXPECT_EQ(bytes(dir.path() / png), bytes(QM_SOURCE_DIR "/" + png))
            << name << ": if the picture changed on purpose, make it again as README says";
    }
}

}  // namespace
}  // namespace qm
