// `qmsim history --import`: new sessions appended whole, known ones and
// lines that are not records passed over and counted; challenges kept as
// series of their own.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli/coach/coach_command.h"
#include "cli/drill/drill_commands.h"
#include "history_support.h"
#include "sim/drill/coach_bands.h"
#include "tool_run.h"

namespace qm {
namespace {

using test::bytes_of;
using test::record;
using test::scratch;

test::RunResult history(std::vector<std::string> args)
{
    args.insert(args.begin(), {"qmsim", "history"});
    return test::run_tool([](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
        return run_history(argc - 1, argv + 1, out, err);
    }, args, "", nullptr);
}

HistoryRecord at(const std::string& drill, long long score, const char* time)
{
    HistoryRecord r = record(drill, score);
    r.time = time;
    return r;
}

TEST(HistoryImport, NewSessionsAreAddedOnceAndTheRestCounted)
{
    const std::string dir = scratch("import");
    const std::string own = dir + "/own.jsonl", other = dir + "/other.jsonl";
    const HistoryRecord a = at("A", 300, "2026-12-07T21:03:04Z"), b = at("B", 500, "2026-12-08T10:00:00Z");
    std::string reason;
    ASSERT_TRUE(append_history(own, a, reason)) << reason;
    for (const HistoryRecord& r : {a, b, b}) ASSERT_TRUE(append_history(other, r, reason)) << reason;
    std::ofstream(other, std::ios::app) << "garbage\n{\"time\":\"2026-12-0";

    const test::RunResult first = history({"--history", own, "--import", other});
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, "1 session added to " + own + ", 2 already there, 2 lines skipped (not history records)\n");
    EXPECT_EQ(bytes_of(own), format_history_line(a) + format_history_line(b));

    const test::RunResult again = history({"--history", own, "--import", other});
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(again.out, "0 sessions added to " + own + ", 3 already there, 2 lines skipped (not history records)\n");
    EXPECT_EQ(bytes_of(own), format_history_line(a) + format_history_line(b));

    // Into an empty history: the same sessions as the file holds.
    const test::RunResult fresh = history({"--history", dir + "/fresh.jsonl", "--import", own});
    ASSERT_EQ(fresh.code, 0) << fresh.err;
    EXPECT_EQ(bytes_of(dir + "/fresh.jsonl"), bytes_of(own));
}

TEST(HistoryImport, WhatCannotBeImportedIsRefused)
{
    const std::string dir = scratch("import_refused");
    const std::string own = dir + "/own.jsonl";
    std::string reason;
    ASSERT_TRUE(append_history(own, record("A", 1), reason)) << reason;
    const struct {
        std::vector<std::string> args;
        const char* line;
    } cases[] = {
        {{"--history", own, "--import", dir + "/none.jsonl"}, "qmsim: " },
        {{"--history", own, "--import", own}, "are the same file"},
        {{"--history", own, "--import", dir}, "cannot read " },
        {{"--history", own, "--import", own, "--plot", dir + "/p.png"}, "draw it with --plot afterwards"},
    };
    for (const auto& c : cases) {
        const test::RunResult r = history(c.args);
        EXPECT_EQ(r.code, 2) << c.line;
        EXPECT_NE(r.err.find(c.line), std::string::npos) << r.err;
    }
    EXPECT_NE(history(cases[0].args).err.find("none.jsonl: no such file"), std::string::npos);
    EXPECT_EQ(bytes_of(own), format_history_line(record("A", 1)));
}

test::RunResult coach(const std::string& path)
{
    return test::run_tool([](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
        return run_coach(argc - 1, argv + 1, out, err);
    }, {"qmsim", "coach", "--history", path}, "", nullptr);
}

// A session of one round of `shots` shots, the last a hit, as a line of
// `format`, with `field` (one a later version might add) put in after `after`.
std::string session_line(const char* time, int format, int shots, const char* after, const char* field)
{
    HistoryRecord r = at("Coach", 0, time);
    r.format = format;
    HistoryRound round;
    round.distance = 900;
    round.wind = 12;
    round.along = -12;
    round.wang = 180;
    round.band = coach_band(round.distance, wind_effect(round.wind, round.wang, round.side));
    round.predicted = 0.25;
    round.shots = shots;
    for (int s = 0; s < shots; ++s) round.shot[s] = HistoryShot{50.0 + s, 2.5, s == shots - 1 ? 150 : 0, true, s - 2};
    if (format >= 2) r.round_log = {round};
    r.played = 1;
    r.hits = 1;
    r.first_shot_hits = shots == 1 ? 1 : 0;
    r.shots = shots;
    r.damage = 150;
    r.score = 150;
    std::string line = format_history_line(r);
    line.insert(line.find(after) + std::string(after).size(), field);
    return line;
}

// Moving a history loses nothing: lines of every layout, with fields this
// version does not know, come through an import into an empty history
// byte for byte, and again from there; the coach reads the same from each.
TEST(HistoryImport, EveryLineIsImportedAsItWasRead)
{
    const std::string dir = scratch("import_bytes");
    const std::string exported = dir + "/exported.jsonl", first = dir + "/first.jsonl", second = dir + "/second.jsonl";
    const std::string lines = session_line("2026-12-01T10:00:00Z", 1, 1, "{", "\"mood\":\"calm\",") +
                              session_line("2026-12-02T10:00:00Z", 2, 2, "\"seed\":4294967295", ",\"gusts\":[1,[2]]") +
                              session_line("2026-12-03T10:00:00Z", 3, 3, "\"round\":1,", "\"spin\":{\"rpm\":[12]},") +
                              session_line("2026-12-04T10:00:00Z", 3, 1, "\"miss\":-2", ",\"fuse\":null") +
                              session_line("2026-12-05T10:00:00Z", 4, 2, "\"score\":150", ",\"device\":{\"pad\":true}");
    std::ofstream(exported, std::ios::binary) << lines;

    const test::RunResult in = history({"--history", first, "--import", exported});
    ASSERT_EQ(in.code, 0) << in.err;
    EXPECT_EQ(in.out, "5 sessions added to " + first + ", 0 already there, 0 lines skipped (not history records)\n");
    EXPECT_EQ(bytes_of(first), lines);
    ASSERT_EQ(history({"--history", second, "--import", first}).code, 0);
    EXPECT_EQ(bytes_of(second), lines);

    const test::RunResult original = coach(exported), imported = coach(second);
    ASSERT_EQ(original.code, 0) << original.err;
    EXPECT_EQ(original.err, "");  // every line read
    EXPECT_NE(original.out.find("1 of 25 bands known"), std::string::npos) << original.out;
    EXPECT_EQ(imported.out, original.out);
}

TEST(HistoryImport, AChallengesSessionsAreASeriesOfTheirOwn)
{
    const std::string dir = scratch("challenge_series");
    const std::string own = dir + "/own.jsonl";
    HistoryRecord mine = record("Hills", 300);
    HistoryRecord theirs = record("Hills", 900);
    theirs.challenge = true;
    theirs.digest = "1234abcd00000000";
    const std::string line = format_history_line(theirs);
    EXPECT_NE(line.find(",\"challenge\":true}"), std::string::npos) << line;
    EXPECT_EQ(format_history_line(mine).find("challenge"), std::string::npos);  // earlier lines as they were
    HistoryRecord back;
    ASSERT_TRUE(parse_history_line(line.substr(0, line.size() - 1), back));
    EXPECT_TRUE(back.challenge);

    std::string reason;
    for (const HistoryRecord& r : {mine, theirs}) ASSERT_TRUE(append_history(own, r, reason)) << reason;
    const test::RunResult r = history({"--history", own});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("best  Hills (settings 00000000): 300"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("best  Hills (challenge 1234abcd): 900"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  challenge\n"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace qm
