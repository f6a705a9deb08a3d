// `qmsim history --import`: new sessions appended whole, known ones and
// lines that are not records passed over and counted; challenges kept as
// series of their own.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli/drill/drill_commands.h"
#include "history_support.h"
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
