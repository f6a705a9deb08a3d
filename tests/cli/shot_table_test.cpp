// The shot table: its grid and options, output that does not depend on the
// threads, rows that are the real shots they describe, and failed writes.
#include "cli/table/shot_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "scratch_files.h"
#include "terrain_test_support.h"
#include "tool_run.h"

namespace qm {
namespace {

const std::string hills = QM_SOURCE_DIR "/maps/hills.bmp";

std::vector<char*> argv_of(std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

// The number after "key": inside last_impact.
std::string impact_field(const std::string& json, const std::string& key)
{
    const std::size_t from = json.find("\"last_impact\":{");
    EXPECT_NE(from, std::string::npos) << json;
    const std::size_t at = json.find("\"" + key + "\":", from) + key.size() + 3;
    return json.substr(at, json.find_first_of(",}", at) - at);
}

TEST(ShotTable, ReadsTheGridAndOptions)
{
    const struct {
        std::vector<std::string> args;
        std::size_t angles;
        const char* first_angle;
        const char* last_angle;
        std::size_t powers;
        const char* first_power;
        const char* last_power;
        int direction;
    } cases[] = {
        {{}, 1, "45", "45", 401, "0.00", "4.00", 1},  // the defaults
        {{"--angle", "10:90:1"}, 81, "10", "90", 401, "0.00", "4.00", 1},
        {{"--angle", "30.5", "--power", "1:2:0.25"}, 1, "30.5", "30.5", 5, "1.00", "2.00", 1},
        {{"--power", "0:1:0.3"}, 1, "45", "45", 4, "0.0", "0.9", 1},  // TO need not be on a step
        {{"--power", "0.1:0.3:0.1"}, 1, "45", "45", 3, "0.1", "0.3", 1},  // no step lost to rounding
        {{"--facing", "left", "--power", "2"}, 1, "45", "45", 1, "2", "2", -1},
        {{"--facing", "right", "--angle", "20:25:10"}, 1, "20", "20", 401, "0.00", "4.00", 1},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "table");
        std::vector<char*> argv = argv_of(args);
        TableOptions options;
        std::string error;
        ASSERT_TRUE(parse_table_options(static_cast<int>(args.size()), argv.data(), options, error)) << error;
        const std::string what = args.size() > 1 ? args[1] + " " + args[2] : "defaults";
        ASSERT_EQ(options.angles.size(), c.angles) << what;
        EXPECT_EQ(options.angles.front().text, c.first_angle) << what;
        EXPECT_EQ(options.angles.back().text, c.last_angle) << what;
        ASSERT_EQ(options.powers.size(), c.powers) << what;
        EXPECT_EQ(options.powers.front().text, c.first_power) << what;
        EXPECT_EQ(options.powers.back().text, c.last_power) << what;
        EXPECT_EQ(options.direction, c.direction) << what;
        EXPECT_EQ(options.round.random_wind, 0) << what;
    }
}

TEST(ShotTable, RefusesBadOptionsWithAReason)
{
    const struct {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {
        {{"--angle", "9:90:1"}, "bad angle '9:90:1'"},
        {{"--angle", "10:91:1"}, "bad angle"},
        {{"--angle", "50:40:1"}, "bad angle"},
        {{"--angle", "10:90:0"}, "bad angle"},
        {{"--angle", "10:90"}, "bad angle"},
        {{"--power", "0:4.5:0.1"}, "bad power"},
        {{"--power", "0:4:-1"}, "bad power"},
        {{"--power", "0:4:0.0000001"}, "bad power"},  // millions of rows
        {{"--power", "1.0000000000"}, "bad power"},   // more decimals than a row prints
        {{"--wind", "random:3"}, "a table needs fixed:S:A"},
        {{"--wind", "fixed:30:0"}, "bad wind"},
        {{"--facing", "up"}, "bad facing 'up'"},
        {{"--threads", "0"}, "bad thread count '0'"},
        {{"--threads", "33"}, "bad thread count"},
        {{"--threads", "2x"}, "bad thread count"},
        {{"--map"}, "--map needs a value"},
        {{"--headless"}, "unknown option '--headless'"},
    };
    for (const auto& c : cases) {
        test::RunResult r = test::run_shot_table(c.args);
        EXPECT_EQ(r.code, 2) << c.args[0];
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("usage: qmsim table"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    test::RunResult map = test::run_shot_table({"--map", QM_SOURCE_DIR "/README.md"});
    EXPECT_EQ(map.code, 2);
    EXPECT_EQ(map.err, "qmsim: " QM_SOURCE_DIR "/README.md: not a BMP file\n");
}

TEST(ShotTable, OutputDoesNotDependOnTheThreads)
{
    const std::vector<std::string> grid = {"--map", hills, "--wind", "fixed:8:200", "--angle", "20:80:15", "--power",
                                           "0.5:3.5:0.25"};
    auto with_threads = [&](const char* n) {
        std::vector<std::string> args = grid;
        if (*n != '\0') args.insert(args.end(), {"--threads", n});  // "": one a core, the default
        return test::run_shot_table(args);
    };
    const test::RunResult one = with_threads("1");
    ASSERT_EQ(one.code, 0) << one.err;
    const std::vector<std::string> lines = split(one.out, '\n');
    ASSERT_EQ(lines.size(), 1u + 5 * 13);
    EXPECT_EQ(lines[0], "angle,power,impact_x,impact_y,dx,dy,flight_ticks,target_damage");
    EXPECT_EQ(lines[1].rfind("20,0.50,", 0), 0u);   // angles outer, powers inner
    EXPECT_EQ(lines[2].rfind("20,0.75,", 0), 0u);
    EXPECT_EQ(lines.back().rfind("80,3.50,", 0), 0u);
    for (const char* n : {"2", "3", "7", ""}) {
        const test::RunResult many = with_threads(n);
        EXPECT_EQ(many.code, 0) << many.err;
        EXPECT_EQ(many.out, one.out) << n << " threads";
    }
}

// The table's promise: each row is what that shot does when fired for real.
TEST(ShotTable, RowsAreTheRealShotsTheyDescribe)
{
    const struct {
        const char* wind;
        const char* facing;
        const char* angle;
        const char* power;
    } grids[] = {
        {"fixed:8:200", "right", "30:70:40", "0.7:3.7:1"},
        {"fixed:20:90", "left", "55", "1.5:2.5:0.5"},
    };
    int hits = 0;
    for (const auto& g : grids) {
        test::RunResult t = test::run_shot_table({"--map", hills, "--wind", g.wind, "--facing", g.facing, "--angle",
                                                  g.angle, "--power", g.power, "--threads", "2"});
        ASSERT_EQ(t.code, 0) << t.err;
        const std::vector<std::string> lines = split(t.out, '\n');
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const std::vector<std::string> row = split(lines[i], ',');
            ASSERT_EQ(row.size(), 8u) << lines[i];
            const test::RunResult real = test::run_headless_script({"--map", hills, "--wind", g.wind},
                                         "until rest\naim " + row[0] + " " + row[1] + "\nface " + g.facing +
                                             "\nfire\nuntil rest\nstate\n");
            ASSERT_EQ(real.code, 0) << real.err;
            const char* keys[] = {"x", "y", "dx", "dy", "flight_ticks", "target_damage"};
            for (int k = 0; k < 6; ++k) EXPECT_EQ(impact_field(real.out, keys[k]), row[k + 2]) << lines[i];
            hits += row[7] != "0";
        }
    }
    EXPECT_GT(hits, 0);  // at least one row that hurts the target
}

TEST(ShotTable, ATableThatCannotBeWrittenEndsWithExitOne)
{
    test::TempDir dir;
    std::FILE* full = std::fopen(test::make_device(dir.file("full"), test::Device::full).c_str(), "w");
    ASSERT_NE(full, nullptr);
    const test::RunResult r = test::run_shot_table({"--power", "0:4:0.5"}, full);
    std::fclose(full);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "qmsim: cannot write to standard output: No space left on device\n");
}

}  // namespace
}  // namespace qm
