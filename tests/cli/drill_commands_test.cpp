// The drill commands: `qmsim history` prints, plots and refuses; `qmsim
// drills` lists the built-ins.
#include "cli/drill/drill_commands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "history_support.h"
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

    test::RunResult drills = test::run_tool([](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
        return run_drills(argc - 1, argv + 1, out, err);
    }, {"qmsim", "drills"}, "", nullptr);
    ASSERT_EQ(drills.code, 0);
    EXPECT_NE(drills.out.find("still          Still air: 5 rounds of 3 shots, 200-450 px right, no wind, map flat\n"),
              std::string::npos)
        << drills.out;
}

}  // namespace
}  // namespace qm
