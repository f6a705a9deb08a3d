// The shot chart: its options and refusals, files that do not depend on the
// threads, points and rule-of-thumb powers that are the real shots, and
// files that cannot be written.
#include "cli/chart/chart_options.h"
#include "cli/chart/shot_chart.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tool_run.h"

namespace qm {
namespace {

const std::string hills = QM_SOURCE_DIR "/maps/hills.bmp";

test::RunResult run_shot_chart(std::vector<std::string> args)
{
    args.insert(args.begin(), "chart");
    auto chart = [](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
        return run_chart(argc, argv, out, err);
    };
    return test::run_tool(chart, args, "", nullptr);
}

std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

std::string scratch(const std::string& name) { return ::testing::TempDir() + "shot_chart_" + name; }

// The number after "key": inside last_impact of the runner's state line.
int impact_field(const std::string& json, const std::string& key)
{
    const std::size_t from = json.find("\"last_impact\":{");
    EXPECT_NE(from, std::string::npos) << json;
    const std::size_t at = json.find("\"" + key + "\":", from) + key.size() + 3;
    return std::atoi(json.substr(at, json.find_first_of(",}", at) - at).c_str());
}

// dx of a shot fired for real through the runner after the round settled.
struct Strike {
    int x = 0, y = 0, dx = 0;
};
Strike fire_for_real(const std::string& map, const std::string& wind, const std::string& facing,
                     const std::string& angle, const std::string& power)
{
    std::vector<std::string> args = {"--wind", "fixed:" + wind};
    if (!map.empty()) args.insert(args.begin(), {"--map", map});
    const test::RunResult real = test::run_headless_script(
        args, "until rest\naim " + angle + " " + power + "\nface " + facing + "\nfire\nuntil rest\nstate\n");
    EXPECT_EQ(real.code, 0) << real.err;
    return {impact_field(real.out, "x"), impact_field(real.out, "y"), impact_field(real.out, "dx")};
}

TEST(ShotChart, ReadsItsOptions)
{
    const struct {
        std::vector<std::string> args;
        std::size_t angles;
        std::size_t winds;
        const char* first_wind;  // S:A
        const char* last_wind;
        std::size_t powers;
    } cases[] = {
        {{}, 1, 11, "25:180", "25:0", 401},  // head winds first, tail winds last
        {{"--facing", "left"}, 1, 11, "25:0", "25:180", 401},
        {{"--angle", "30,45,60,75"}, 4, 11, "25:180", "25:0", 401},
        {{"--winds", "3:90,0:0", "--power", "1:2:0.5"}, 1, 2, "3:90", "0:0", 3},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), {"chart", "--out", "x.png"});
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        ChartOptions options;
        std::string error;
        ASSERT_TRUE(parse_chart_options(static_cast<int>(argv.size()), argv.data(), options, error)) << error;
        EXPECT_EQ(options.angles.size(), c.angles);
        ASSERT_EQ(options.winds.size(), c.winds);
        auto text = [](const ChartWind& w) { return std::to_string(w.strength) + ":" + std::to_string(w.angle); };
        EXPECT_EQ(text(options.winds.front()), c.first_wind);
        EXPECT_EQ(text(options.winds.back()), c.last_wind);
        EXPECT_EQ(options.powers.size(), c.powers);
    }
}

TEST(ShotChart, RefusesBadOptionsWithAReasonAndTheUsage)
{
    const struct {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {
        {{"--winds", "5:400"}, "bad winds '5:400'"},
        {{"--winds", "5"}, "bad winds"},
        {{"--winds", "5:0,,10:0"}, "bad winds"},
        {{"--winds", "26:0"}, "bad winds"},
        {{"--angle", "30:60:10"}, "bad angle '30:60:10'"},
        {{"--angle", "30,95"}, "bad angle"},
        {{"--angle", "30,"}, "bad angle"},
        {{"--power", "2"}, "bad power '2'"},
        {{"--power", "0:5:0.1"}, "bad power"},
        {{"--threads", "0"}, "bad thread count"},
        {{"--wind", "fixed:5:0"}, "unknown option '--wind'"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), {"--out", scratch("refused.png")});
        const test::RunResult r = run_shot_chart(args);
        EXPECT_EQ(r.code, 2) << c.args[0];
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("usage: qmsim chart"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    const test::RunResult no_out = run_shot_chart({});
    EXPECT_EQ(no_out.code, 2);
    EXPECT_NE(no_out.err.find("--out FILE.png is required"), std::string::npos) << no_out.err;
    EXPECT_EQ(std::fopen(scratch("refused.png").c_str(), "rb"), nullptr);
}

TEST(ShotChart, FilesDoNotDependOnTheThreads)
{
    auto with_threads = [](const std::string& n, std::string& png, std::string& csv) {
        const test::RunResult r = run_shot_chart({"--map", hills, "--angle", "35,70", "--power", "0.5:3.5:0.1",
                                                  "--winds", "15:180,0:0,10:0", "--out", scratch(n + ".png"),
                                                  "--csv", scratch(n + ".csv"), "--threads", n});
        EXPECT_EQ(r.code, 0) << r.err;
        png = file_bytes(scratch(n + ".png"));
        csv = file_bytes(scratch(n + ".csv"));
        std::remove(scratch(n + ".png").c_str());
        std::remove(scratch(n + ".csv").c_str());
        return r.out;
    };
    std::string png1, csv1;
    const std::string out1 = with_threads("1", png1, csv1);
    EXPECT_EQ(png1.substr(1, 3), "PNG");
    EXPECT_EQ(split(csv1, '\n').size(), 1u + 2 * 3 * 31);
    EXPECT_EQ(split(out1, '\n').size(), 2u * (3 + 2));  // a line per wind and two corrections, per angle
    for (const std::string n : {"2", "3"}) {
        std::string png, csv;
        EXPECT_EQ(with_threads(n, png, csv), out1) << n;
        EXPECT_TRUE(png == png1) << n << " threads";
        EXPECT_EQ(csv, csv1) << n;
    }
}

// The chart's promise: each point is where that shot lands when fired for
// real, in that wind, after the round settled in that wind.
TEST(ShotChart, PointsAreTheRealShots)
{
    const struct {
        const char* map;
        const char* facing;
        const char* winds;
    } charts[] = {
        {"", "right", "25:180,20:0"},
        {QM_SOURCE_DIR "/maps/hills.bmp", "left", "12:0,7:90"},
    };
    for (const auto& c : charts) {
        std::vector<std::string> args = {"--facing", c.facing, "--winds", c.winds, "--angle", "50",
                                         "--power", "0.6:3.6:0.75", "--out", scratch("real.png"), "--csv",
                                         scratch("real.csv")};
        if (*c.map != '\0') args.insert(args.begin(), {"--map", c.map});
        const test::RunResult r = run_shot_chart(args);
        ASSERT_EQ(r.code, 0) << r.err;
        const std::vector<std::string> lines = split(file_bytes(scratch("real.csv")), '\n');
        ASSERT_EQ(lines.size(), 1u + 2 * 5);
        const int direction = std::string(c.facing) == "left" ? -1 : 1;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const std::vector<std::string> row = split(lines[i], ',');
            ASSERT_EQ(row.size(), 6u) << lines[i];
            const Strike real = fire_for_real(c.map, row[0] + ":" + row[1], c.facing, "50", row[2]);
            EXPECT_EQ(std::to_string(real.dx * direction), row[3]) << lines[i];
            EXPECT_EQ(std::to_string(real.x), row[4]) << lines[i];
            EXPECT_EQ(std::to_string(real.y), row[5]) << lines[i];
        }
    }
    std::remove(scratch("real.png").c_str());
    std::remove(scratch("real.csv").c_str());
}

// A rule-of-thumb power lands, fired for real, within one power step of its
// distance: the distance lies between the strikes of the powers either side.
TEST(ShotChart, RuleOfThumbPowersLandWithinAStepOfTheirDistance)
{
    const test::RunResult r = run_shot_chart({"--winds", "0:0,20:180", "--angle", "60", "--out",
                                              scratch("rule.png"), "--csv", scratch("rule.csv")});
    ASSERT_EQ(r.code, 0) << r.err;
    std::map<std::string, int> distance;  // "S:A power" -> distance, from the CSV
    for (const std::string& line : split(file_bytes(scratch("rule.csv")), '\n')) {
        const std::vector<std::string> row = split(line, ',');
        if (row.size() == 6 && row[0] != "wind_strength") distance[row[0] + ":" + row[1] + " " + row[2]] = std::atoi(row[3].c_str());
    }
    const std::vector<std::string> lines = split(r.out, '\n');
    ASSERT_EQ(lines[0], "angle 60, wind calm: 200 px 1.31, 400 px 1.90, 800 px 2.72, 1200 px 3.35");
    const struct {
        const char* wind;
        std::size_t line;
    } winds[] = {{"0:0", 0}, {"20:180", 1}};
    int out_of_reach = 0;
    for (const auto& w : winds) {
        const std::vector<std::string> items = split(lines[w.line].substr(lines[w.line].find(':') + 2), ',');
        ASSERT_EQ(items.size(), 4u) << lines[w.line];
        for (const std::string& item : items) {
            const std::vector<std::string> words = split(item.substr(item[0] == ' ' ? 1 : 0), ' ');
            const int target = std::atoi(words[0].c_str());
            if (words[2] == "out") {
                ++out_of_reach;
                continue;
            }
            const double power = std::atof(words[2].c_str());
            char below[16], above[16];
            std::snprintf(below, sizeof below, "%.2f", power - 0.01);
            std::snprintf(above, sizeof above, "%.2f", power + 0.01);
            const int d_below = distance.at(std::string(w.wind) + " " + below);
            const int d_above = distance.at(std::string(w.wind) + " " + above);
            const int real = fire_for_real("", w.wind, "right", "60", words[2]).dx;
            EXPECT_EQ(real, distance.at(std::string(w.wind) + " " + words[2]));
            EXPECT_LE(std::min(d_below, d_above), target) << item;
            EXPECT_GE(std::max(d_below, d_above), target) << item;
        }
    }
    EXPECT_EQ(out_of_reach, 1);  // 1200 px against 20 units of wind at 60 degrees
    EXPECT_NE(lines[1].find("1200 px out of reach"), std::string::npos) << lines[1];
    std::remove(scratch("rule.png").c_str());
    std::remove(scratch("rule.csv").c_str());
}

TEST(ShotChart, UnwritableFilesEndWithExitOneAndNothingWritten)
{
    const std::string missing = ::testing::TempDir() + "no-such-folder/";
    const struct {
        std::string out;
        std::string csv;
        std::string message;
    } cases[] = {
        {missing + "c.png", "", "qmsim: cannot write " + missing + "c.png: No such file or directory\n"},
        {scratch("kept.png"), missing + "c.csv", "qmsim: cannot write " + missing + "c.csv: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--power", "1:2:0.5", "--winds", "0:0", "--out", c.out};
        if (!c.csv.empty()) args.insert(args.end(), {"--csv", c.csv});
        const test::RunResult r = run_shot_chart(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.out, "");  // no rule for a chart that was not written
    }
    std::remove(scratch("kept.png").c_str());
}

// The README's chart: its command run as written remakes docs/chart.png
// byte for byte and prints the lines the README shows.
TEST(ShotChart, TheReadmeChartIsRemadeByteForByte)
{
    const std::vector<std::string> readme = split(file_bytes(QM_SOURCE_DIR "/README.md"), '\n');
    std::size_t at = 0;
    while (at < readme.size() && readme[at] != "<!-- example chart -->") ++at;
    ASSERT_LT(at + 2, readme.size()) << "README.md has no example chart";
    const std::string command = readme[at + 2];
    ASSERT_EQ(command.rfind("    build/qmsim chart ", 0), 0u) << command;
    std::vector<std::string> args;
    for (const std::string& word : split(command.substr(4), ' ')) {
        if (word == ">") break;
        if (!word.empty()) args.push_back(word);
    }
    args.erase(args.begin(), args.begin() + 2);  // build/qmsim chart
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--out") {
            ASSERT_EQ(args[i + 1], "docs/chart.png");
            args[i + 1] = scratch("readme.png");
        }
    }
    const test::RunResult r = run_shot_chart(args);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(file_bytes(scratch("readme.png")) == file_bytes(QM_SOURCE_DIR "/docs/chart.png"))
        << "if the chart changed on purpose, run the README's command again";
    std::remove(scratch("readme.png").c_str());
    // The shown lines follow the sentence after the command.
    int shown = 0;
    for (std::size_t i = at + 7; i < readme.size() && readme[i].rfind("    ", 0) == 0; ++i, ++shown) {
        EXPECT_NE(r.out.find(readme[i].substr(4) + "\n"), std::string::npos) << readme[i];
    }
    EXPECT_EQ(shown, 3);
}

}  // namespace
}  // namespace qm
