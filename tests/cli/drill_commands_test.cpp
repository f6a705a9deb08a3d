// The drill commands: `qmsim history` prints, plots and refuses; `qmsim
// drills` lists the built-ins.
#include "cli/drill/drill_commands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/drill/history_plot.h"
#include "formats/challenge/challenge_code.h"
#include "formats/drill/drill_catalogue.h"
#include "history_support.h"
#include "scratch_files.h"
#include "sim/drill/coach_bands.h"
#include "sim/drill/drill_run.h"
#include "tool_run.h"

namespace qm {
namespace {

using test::bytes_of;
using test::record;
using test::scratch;

TEST(History, TheHistoryCommandPrintsPlotsAndRefuses)
{
    const std::string dir = scratch("command");
    const std::string path = dir + "/h.jsonl";
    std::string reason;
    HistoryRecord later = record("B", 700);
    later.time = "2026-12-09T08:00:00Z";
    for (const HistoryRecord& r : {record("A", 300), record("A", 900), later, record("A", 50, true)}) {
        ASSERT_TRUE(append_history(path, r, reason)) << reason;
    }
    std::ofstream(path, std::ios::app) << "garbage\n";
    auto history = [](std::vector<std::string> args) {
        args.insert(args.begin(), {"qmsim", "history"});
        return test::run_tool([](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
            return run_history(argc - 1, argv + 1, out, err);
        }, args, "", nullptr);
    };
    test::RunResult text = history({"--history", path});
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("best  A (settings 00000000): 900 on 2026-12-07T21:03:04Z, of 2 sessions\n"), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("  abandoned\n"), std::string::npos);
    EXPECT_EQ(text.err, "qmsim: " + path + ": skipped 1 line that is not a history record (line 5); they are left as they are\n");

    test::RunResult csv = history({"--history", path, "--drill", "B", "--csv"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    EXPECT_EQ(csv.out, "time,drill,digest,seed,rounds,played,hits,first_shot_hits,shots,damage,score,mean_miss,assisted,"
                       "abandoned,version\n"
                       "2026-12-09T08:00:00Z,B,00000000000000ab,4294967295,10,10,7,4,19,1234,700,41.5,no,no,0.1.0\n");

    const std::string png = dir + "/progress.png";
    ASSERT_EQ(history({"--history", path, "--plot", png}).code, 0);
    EXPECT_EQ(bytes_of(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
    test::RunResult missing = history({"--history", path, "--plot", dir + "/no/p.png"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("qmsim: cannot write the chart to " + dir + "/no/p.png: "), std::string::npos);
    EXPECT_EQ(history({"--history", path, "--bogus"}).code, 2);

    // A name holding the separator or quotes is quoted, its quotes doubled.
    const std::string named = dir + "/named.jsonl";
    ASSERT_TRUE(append_history(named, record("Say \"when\", now", 5), reason));
    test::RunResult quoted = history({"--history", named, "--csv"});
    EXPECT_NE(quoted.out.find("Z,\"Say \"\"when\"\", now\",00000000000000ab,"), std::string::npos) << quoted.out;

    test::RunResult drills = test::run_tool([](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
        return run_drills(argc - 1, argv + 1, out, err);
    }, {"qmsim", "drills"}, "", nullptr);
    ASSERT_EQ(drills.code, 0);
    EXPECT_NE(drills.out.find("still          Still air: 5 rounds of 3 shots, 200-450 px right, no wind, map flat\n"),
              std::string::npos)
        << drills.out;
}

test::RunResult history_command(std::vector<std::string> args)
{
    args.insert(args.begin(), {"qmsim", "history"});
    return test::run_tool([](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
        return run_history(argc - 1, argv + 1, out, err);
    }, args, "", nullptr);
}

// A spreadsheet gets one row a shot, from lines of every layout: the band
// and the miss empty where there is none, names quoted as in the sessions'.
TEST(History, TheRoundsListEveryShot)
{
    const std::string path = scratch("rounds") + "/h.jsonl";
    HistoryRecord named = record("Far, long", 600);
    named.format = history_format;
    HistoryRound near;
    near.number = 2;
    near.distance = 40;
    near.wind = 3;
    near.shots = 1;
    near.shot[0] = HistoryShot{30.0, 1.0, 120, true, 0};
    HistoryRound far = near;
    far.number = 5;
    far.distance = 1200;
    far.wind = 20;
    far.along = -20;
    far.band = coach_band(far.distance, wind_effect(far.wind, far.wang, far.side));
    far.shots = 2;
    far.shot[0] = HistoryShot{45.0, 2.5, 0, false, 0};
    far.shot[1] = HistoryShot{44.5, 2.75, 240, true, -3};
    named.round_log = {near, far};
    HistoryRecord old = named;
    old.format = 2;  // its rounds one text, numbered as they come
    old.drill = "Old";
    HistoryRecord first = record("First", 10);  // no rounds kept
    std::string reason;
    for (const HistoryRecord& r : {named, old, first}) ASSERT_TRUE(append_history(path, r, reason)) << reason;

    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"--rounds", "--csv", "--drill", "Far, long"},
         "time,drill,round,distance,wind,band,angle,power,damage,miss\n"
         "2026-12-07T21:03:04Z,\"Far, long\",2,40,3,,30.00,1.00,120,0\n"
         "2026-12-07T21:03:04Z,\"Far, long\",5,1200,20,19,45.00,2.50,0,\n"
         "2026-12-07T21:03:04Z,\"Far, long\",5,1200,20,19,44.50,2.75,240,-3\n"},
        {{"--rounds", "--csv", "--drill", "Old"},
         "time,drill,round,distance,wind,band,angle,power,damage,miss\n"
         "2026-12-07T21:03:04Z,Old,1,40,3,,30.00,1.00,120,0\n"
         "2026-12-07T21:03:04Z,Old,2,1200,20,19,45.00,2.50,0,\n"
         "2026-12-07T21:03:04Z,Old,2,1200,20,19,44.50,2.75,240,-3\n"},
        {{"--rounds", "--csv", "--drill", "First"}, "time,drill,round,distance,wind,band,angle,power,damage,miss\n"},
        {{"--rounds", "--drill", "Old"},
         "2026-12-07T21:03:04Z  Old              round 1  distance 40  wind 3  band none  angle 30.00  power 1.00  "
         "damage 120  miss 0\n"
         "2026-12-07T21:03:04Z  Old              round 2  distance 1200  wind 20  band 19  angle 45.00  power 2.50  "
         "damage 0  miss none\n"
         "2026-12-07T21:03:04Z  Old              round 2  distance 1200  wind 20  band 19  angle 44.50  power 2.75  "
         "damage 240  miss -3\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), {"--history", path});
        const test::RunResult r = history_command(args);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[2];
    }
}

// A session's code hands it on: its drill, seed and score, as `qmsim
// challenge` makes it; a drill not here, or the coach's, has none.
TEST(History, TheCodesHandEachSessionOn)
{
    const std::string path = scratch("codes") + "/h.jsonl";
    const auto session = [](const char* key, const char* name, long long score) {
        DrillRules rules;
        std::string error;
        EXPECT_TRUE(find_drill(key, rules, error)) << error;
        HistoryRecord r = record(name, score);
        r.digest = digest_text(rules.digest);
        r.seed = 7;
        r.rounds = rules.rounds;
        r.played = r.hits = r.first_shot_hits = 1;
        r.shots = 1;
        r.damage = 100;
        return r;
    };
    DrillRules still;
    std::string error;
    ASSERT_TRUE(find_drill("still", still, error));
    still.challenge.score_given = true;
    still.challenge.score = 300;
    std::string code;
    ASSERT_TRUE(encode_challenge(still, 7, code, error)) << error;
    const struct {
        HistoryRecord session;
        std::string said;
    } cases[] = {
        {session("still", "Still air", 300), code},
        {session("still", "Renamed", 300), "no code: its drill is not here (a drill file of another folder, or one changed since)"},
        {session("coach", "Coach", 300), "no code: the coach plans its rounds from each player's own history, so its draws cannot travel"},
    };
    std::string expected;
    for (const auto& c : cases) {
        ASSERT_TRUE(append_history(path, c.session, error)) << error;
        char head[96];
        std::snprintf(head, sizeof head, "2026-12-07T21:03:04Z  %-16s score %6d  ", c.session.drill.c_str(), 300);
        expected += head + c.said + "\n";
    }
    const test::RunResult listed = history_command({"--history", path, "--codes"});
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_EQ(listed.out, expected);
    EXPECT_EQ(history_command({"--history", path, "--codes", "--csv"}).code, 2);
}

// What cannot be read, and a picture onto the history, end the command with
// the reason: 2 for what the user named, 1 for the program's own place.
TEST(History, TheHistoryCommandSaysWhyItCannotReadOrDraw)
{
    const std::string dir = scratch("command_refusals");
    const std::string path = dir + "/h.jsonl";
    std::string reason;
    ASSERT_TRUE(append_history(path, record("A", 300), reason)) << reason;
    test::make_link(dir + "/link.jsonl", "h.jsonl");
    test::make_link_loop(dir + "/loop");
    std::filesystem::create_directories(dir + "/data/qmsim/history.jsonl");  // the default place, a folder
    const struct {
        std::vector<std::string> args;
        int code;
        std::string err;
    } cases[] = {
        {{"--history", dir + "/loop"}, 2, "qmsim: cannot read " + dir + "/loop: Too many levels of symbolic links\n"},
        {{"--history", dir + "/zero"}, 2, "qmsim: cannot read " + dir + "/zero: not a plain file\n"},
        {{"--history", dir + "/fifo"}, 2, "qmsim: cannot read " + dir + "/fifo: not a plain file\n"},
        {{}, 1, "qmsim: cannot read " + dir + "/data/qmsim/history.jsonl: Is a directory\n"},
        {{"--history", path, "--plot", path}, 2,
         "qmsim: --plot " + path + " and --history " + path + " are the same file\nusage: qmsim history"},
        {{"--history", dir + "/link.jsonl", "--plot", dir + "/./h.jsonl"}, 2,
         "qmsim: --plot " + dir + "/./h.jsonl and --history " + dir + "/link.jsonl are the same file\nusage: qmsim history"},
        // A history named that is not there is no empty history: a misspelt name says so.
        {{"--history", dir + "/none.jsonl"}, 2, "qmsim: " + dir + "/none.jsonl: no such file\n"},
        {{"--history", dir + "/none.jsonl", "--csv"}, 2, "qmsim: " + dir + "/none.jsonl: no such file\n"},
        {{"--history", dir + "/new.jsonl", "--import", path}, 0, ""},  // an import may begin one
    };
    test::make_device(dir + "/zero", test::Device::zero);
    test::make_fifo(dir + "/fifo");
    const std::string saved = std::getenv("XDG_DATA_HOME") != nullptr ? std::getenv("XDG_DATA_HOME") : "";
    setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), {"qmsim", "history"});
        test::RunResult r = test::run_tool([](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
            return run_history(argc - 1, argv + 1, out, err);
        }, args, "", nullptr);
        EXPECT_EQ(r.code, c.code) << c.err;
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
    }
    saved.empty() ? unsetenv("XDG_DATA_HOME") : setenv("XDG_DATA_HOME", saved.c_str(), 1);
    EXPECT_EQ(bytes_of(path).substr(0, 1), "{");  // the history is still the history
}

// Whatever a history's lines hold, the chart's axes take it: times from the
// first year to the last, the highest score a drill can reach.
TEST(History, ThePlotTakesTheWidestFiguresALineCanHold)
{
    const std::string dir = scratch("plot_range");
    HistoryRecord first = record("A", 0);
    first.time = "0000-01-01T00:00:00Z";
    HistoryRecord last = record("B", 100 * drill_max_round_points);
    last.rounds = last.played = last.hits = last.first_shot_hits = 100;
    last.shots = 100;
    last.damage = 100LL * drill_max_shot_damage;
    last.time = "9999-12-31T23:59:59Z";
    std::string reason;
    for (const HistoryRecord& r : {first, last}) ASSERT_TRUE(append_history(dir + "/h.jsonl", r, reason)) << reason;
    HistoryContents contents;
    ASSERT_TRUE(read_history(dir + "/h.jsonl", contents, reason)) << reason;
    ASSERT_EQ(contents.records.size(), 2u);
    EXPECT_TRUE(write_history_plot(contents.records, (dir + "/p.png").c_str(), reason)) << reason;
}

}  // namespace
}  // namespace qm
