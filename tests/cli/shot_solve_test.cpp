// qmsim solve: its options, rows that do not depend on the threads, and the
// same window as the power finder's state, in winds up, down and across,
// facing either way.
#include "cli/solve/shot_solve.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tool_run.h"

namespace qm {
namespace {

const std::string maps = QM_SOURCE_DIR "/maps/";

std::vector<char*> argv_of(std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

TEST(ShotSolve, ReadsTheAnglesAndOptionsOrRefusesThem)
{
    const struct Case {
        std::vector<std::string> args;
        bool read;
        std::size_t angles;
        int direction;
        const char* error;  // the start of the reason, when refused
    } cases[] = {
        {{}, true, 1, 1, ""},
        {{"--angle", "10:90:1", "--facing", "left"}, true, 81, -1, ""},
        {{"--angle", "95"}, false, 0, 0, "bad angle '95'"},
        {{"--wind", "random:3"}, false, 0, 0, "bad wind 'random:3'"},
        {{"--power", "1"}, false, 0, 0, "unknown option '--power'"},
    };
    for (Case c : cases) {
        c.args.insert(c.args.begin(), "solve");
        std::vector<char*> argv = argv_of(c.args);
        SolveOptions options;
        std::string error;
        const bool read = parse_solve_options(static_cast<int>(c.args.size()), argv.data(), options, error);
        EXPECT_EQ(read, c.read) << c.args.back() << ": " << error;
        if (read) {
            EXPECT_EQ(options.angles.size(), c.angles);
            EXPECT_EQ(options.direction, c.direction);
        } else {
            EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
        }
    }
}

TEST(ShotSolve, PrintsTheSameRowsOnAnyThreadCountAndEmptyCellsOutOfReach)
{
    const test::RunResult one =
        test::run_shot_solve({"--map", maps + "hills.bmp", "--angle", "20:80:15", "--threads", "1"});
    const test::RunResult two =
        test::run_shot_solve({"--map", maps + "hills.bmp", "--angle", "20:80:15", "--threads", "2"});
    ASSERT_EQ(one.code, 0) << one.err;
    EXPECT_EQ(one.out, two.out);
    EXPECT_EQ(test::lines_of(one.out).size(), 6u);  // the header and five angles
    const test::RunResult away = test::run_shot_solve({"--map", maps + "hills.bmp", "--facing", "left"});
    EXPECT_EQ(away.out, "angle,best,best_damage,low,high\n45,,,,\n");
}

// The value after "key": in a state line's object (top level when empty), up
// to a comma or brace.
std::string value(const std::string& json, const std::string& object, const std::string& key)
{
    const std::size_t from = object.empty() ? 0 : json.find("\"" + object + "\":");
    const std::size_t at = json.find("\"" + key + "\":", from);
    if (from == std::string::npos || at == std::string::npos) return "missing";
    const std::size_t start = at + key.size() + 3;
    return json.substr(start, json.find_first_of(",}", start) - start);
}

std::string two_decimals(const std::string& number)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", std::stod(number));
    return text;
}

TEST(ShotSolve, NamesTheWindowThePowerFinderAndTheAimChartName)
{
    const struct Case {
        const char* map;
        const char* wind;
        const char* angle;
        const char* facing;
    } cases[] = {
        {"hills.bmp", "fixed:5:180", "60", "right"},  {"hills.bmp", "fixed:18:90", "45", "right"},
        {"hills.bmp", "fixed:12:270", "70", "right"}, {"islands.bmp", "fixed:10:0", "40", "left"},
        {"cave.bmp", "fixed:0:0", "55", "right"},     {"tower.bmp", "fixed:20:180", "35", "left"},
    };
    int reached = 0;
    for (const Case& c : cases) {
        const std::string name = std::string(c.map) + " " + c.wind + " " + c.angle + " " + c.facing;
        const std::string map = maps + c.map;
        const test::RunResult solved =
            test::run_shot_solve({"--map", map, "--wind", c.wind, "--angle", c.angle, "--facing", c.facing});
        ASSERT_EQ(solved.code, 0) << name << ": " << solved.err;
        const std::vector<std::string> rows = test::lines_of(solved.out);
        ASSERT_EQ(rows.size(), 2u) << name;
        const std::string script = "until rest\naim " + std::string(c.angle) + " 1\nface " + c.facing +
                                   "\ndown h\nup h\ndown g\nup g\ntick 10\nstate\n";
        const test::RunResult run = test::run_headless_script({"--map", map, "--wind", c.wind}, script);
        ASSERT_EQ(run.code, 0) << name << ": " << run.err;
        const std::string finder = value(run.out, "", "power_finder");
        if (rows[1] == std::string(c.angle) + ",,,,") {
            EXPECT_EQ(finder, "null") << name;
            EXPECT_EQ(value(run.out, "chart", "power"), "null") << name;
            continue;
        }
        ++reached;
        ASSERT_NE(finder, "null") << name;
        const std::string state_row = std::string(c.angle) + "," + two_decimals(value(run.out, "power_finder", "best")) +
                                      "," + value(run.out, "power_finder", "best_damage") + "," +
                                      two_decimals(value(run.out, "power_finder", "low")) + "," +
                                      two_decimals(value(run.out, "power_finder", "high"));
        EXPECT_EQ(rows[1], state_row) << name;
    }
    EXPECT_GE(reached, 3);
}

}  // namespace
}  // namespace qm
