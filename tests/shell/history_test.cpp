// The drill history: lines that read back as written, foreign and torn lines
// skipped and left alone, appends that survive a killed writer and a full
// disk, the places it goes, and the runner that keeps it.
#include "shell/drill/history.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "history_support.h"
#include "sim/drill/drill_run.h"
#include "tool_run.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::bytes_of;
using test::record;
using test::scratch;

TEST(History, ALineReadsBackAsWritten)
{
    const HistoryRecord r = record("Say \"when\" \\ now", 3702);
    const std::string line = format_history_line(r);
    ASSERT_EQ(line.back(), '\n');
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    HistoryRecord back;
    ASSERT_TRUE(parse_history_line(line.substr(0, line.size() - 1), back)) << line;
    EXPECT_EQ(format_history_line(back), line);
}

TEST(History, ForeignAndTornLinesAreSkippedWithAWarningAndLeftAsTheyAre)
{
    const std::string dir = scratch("foreign");
    const std::string path = dir + "/h.jsonl";
    const std::string good = format_history_line(record("A", 10));
    const std::string text = good + "not json at all\n" + good.substr(0, 40) + "\n" +
                             "{\"time\":\"x\",\"drill\":\"A\",\"digest\":\"1\"}\n" + "\r\n" + good;
    std::ofstream(path, std::ios::binary) << text;
    HistoryContents contents;
    std::string reason;
    ASSERT_TRUE(read_history(path, contents, reason)) << reason;
    EXPECT_EQ(contents.records.size(), 2u);
    EXPECT_EQ(contents.skipped, (std::vector<long>{2, 3, 4}));
    EXPECT_EQ(skipped_warning(path, contents.skipped),
              path + ": skipped 3 lines that are not history records (lines 2, 3, 4); they are left as they are");
    EXPECT_EQ(bytes_of(path), text);  // reading never rewrites
}

TEST(History, AnAppendAfterATornLineStartsALineOfItsOwn)
{
    const std::string dir = scratch("torn");
    const std::string path = dir + "/qmsim/h.jsonl";  // the folder is made
    std::string reason;
    ASSERT_TRUE(append_history(path, record("A", 1), reason)) << reason;
    const std::string torn = format_history_line(record("A", 2)).substr(0, 30);
    std::ofstream(path, std::ios::binary | std::ios::app) << torn;
    ASSERT_TRUE(append_history(path, record("A", 3), reason)) << reason;
    HistoryContents contents;
    ASSERT_TRUE(read_history(path, contents, reason));
    ASSERT_EQ(contents.records.size(), 2u);
    EXPECT_EQ(contents.records[1].score, 3);
    EXPECT_EQ(contents.skipped, (std::vector<long>{2}));
}

TEST(History, LinesSurviveAWriterKilledWhileAppending)
{
    const std::string dir = scratch("killed");
    const std::string path = dir + "/h.jsonl";
    for (int attempt = 0; attempt < 3; ++attempt) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::string reason;
            for (long long i = 0;; ++i) append_history(path, record("Killed", i), reason);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
    }
    std::string reason;
    ASSERT_TRUE(append_history(path, record("After", 1), reason)) << reason;
    HistoryContents contents;
    ASSERT_TRUE(read_history(path, contents, reason));
    EXPECT_GT(contents.records.size(), 3u);
    // At most the line each kill cut short.
    EXPECT_LE(contents.skipped.size(), 3u);
    EXPECT_EQ(contents.records.back().drill, "After");
}

TEST(History, AFullDiskLosesAtMostTheLineBeingWritten)
{
    std::string reason;
    EXPECT_FALSE(append_history("/dev/full", record("A", 1), reason));
    EXPECT_EQ(reason, "cannot write /dev/full: No space left on device");

    const std::string dir = scratch("full");
    if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=16k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno) << "); /dev/full was tested";
    }
    const std::string path = dir + "/h.jsonl";
    int written = 0;
    while (append_history(path, record("Full", written), reason)) ++written;
    EXPECT_EQ(reason, "cannot write " + path + ": No space left on device");
    HistoryContents contents;
    std::string read_reason;
    const bool read = read_history(path, contents, read_reason);
    umount(dir.c_str());
    ASSERT_TRUE(read) << read_reason;
    ASSERT_EQ(static_cast<int>(contents.records.size()), written);
    for (int i = 0; i < written; ++i) EXPECT_EQ(contents.records[i].score, i);
    EXPECT_LE(contents.skipped.size(), 1u);
}

TEST(History, AnUnwritablePlaceSaysWhy)
{
    const std::string dir = scratch("unwritable");
    std::ofstream(dir + "/file") << "x";
    std::string reason;
    EXPECT_FALSE(append_history(dir + "/file/h.jsonl", record("A", 1), reason));
    EXPECT_EQ(reason.rfind("cannot make " + dir + "/file: ", 0), 0u) << reason;
    EXPECT_FALSE(append_history(dir, record("A", 1), reason));
    EXPECT_EQ(reason, "cannot open " + dir + ": Is a directory");
}

TEST(History, ItGoesWhereTheUsersDataGoes)
{
    const char* saved_xdg = std::getenv("XDG_DATA_HOME");
    const char* saved_home = std::getenv("HOME");
    const std::string xdg = saved_xdg ? saved_xdg : "";
    const std::string home = saved_home ? saved_home : "";
    struct Case {
        const char* xdg;
        const char* home;
        const char* path;  // null: no place
    };
    const Case cases[] = {
        {"/data", "/home/u", "/data/qmsim/history.jsonl"},
        {nullptr, "/home/u", "/home/u/.local/share/qmsim/history.jsonl"},
        {"relative", "/home/u", "/home/u/.local/share/qmsim/history.jsonl"},  // XDG wants absolute paths
        {nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        c.xdg ? setenv("XDG_DATA_HOME", c.xdg, 1) : unsetenv("XDG_DATA_HOME");
        c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
        std::string path, reason;
        EXPECT_EQ(default_history_path(path, reason), c.path != nullptr);
        if (c.path != nullptr) {
            EXPECT_EQ(path, c.path);
        }
    }
    saved_xdg ? setenv("XDG_DATA_HOME", xdg.c_str(), 1) : unsetenv("XDG_DATA_HOME");
    saved_home ? setenv("HOME", home.c_str(), 1) : unsetenv("HOME");
}

TEST(History, BestsAndTheChartComeFromTheSameDrillsFinishedSessions)
{
    std::vector<HistoryRecord> records;
    for (int i = 0; i < 35; ++i) records.push_back(record("A", 100 + i));
    records.push_back(record("A", 9999, true));  // abandoned
    HistoryRecord other = record("A", 5000);
    other.digest = "00000000000000cd";            // the drill was edited
    records.push_back(other);
    DrillRules rules;
    rules.digest = 0xab;
    auto d = std::make_unique<DrillRun>();
    take_history_figures(records, rules, *d);
    EXPECT_TRUE(d->best_known);
    EXPECT_EQ(d->best, 134);
    ASSERT_EQ(d->chart_count, 30);
    EXPECT_EQ(d->chart[0], 105);
    EXPECT_EQ(d->chart[29], 134);
}

const char* const one_shot_drill = "name One\nrounds 1\nshots 1\ndistance 400 400\n";
const char* const one_shot_script = "until ready\naim 80 1\nfire\nuntil ready\nstate\n";

TEST(History, TheRunnerKeepsAHistoryOnlyWithHistoryAndSaysWhyItCannot)
{
    const std::string dir = scratch("runner");
    const std::string drill = dir + "/one.drill";
    std::ofstream(drill) << one_shot_drill;
    const std::string path = dir + "/h.jsonl";

    test::RunResult none = test::run_headless_script({"--drill", drill, "--seed", "1"}, one_shot_script);
    ASSERT_EQ(none.code, 0) << none.err;
    EXPECT_FALSE(fs::exists(path));

    for (int run = 0; run < 2; ++run) {
        test::RunResult r = test::run_headless_script({"--drill", drill, "--seed", "1", "--history", path}, one_shot_script);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_NE(r.out.find(run == 0 ? "\"best\":0," : "\"best\":0,"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("\"finished\":true"), std::string::npos);
    }
    HistoryContents contents;
    std::string reason;
    ASSERT_TRUE(read_history(path, contents, reason));
    ASSERT_EQ(contents.records.size(), 2u);
    EXPECT_EQ(contents.records[0].drill, "One");
    EXPECT_EQ(contents.records[0].seed, 1u);
    EXPECT_FALSE(contents.records[0].abandoned);

    // A session cut short: recorded, marked so.
    test::RunResult cut = test::run_headless_script({"--drill", drill, "--history", path}, "until ready\nfire\ntick 40\n");
    ASSERT_EQ(cut.code, 0) << cut.err;
    ASSERT_TRUE(read_history(path, contents, reason));
    ASSERT_EQ(contents.records.size(), 3u);
    EXPECT_TRUE(contents.records[2].abandoned);

    // An unwritable place: said on stderr, the results still show.
    test::RunResult bad = test::run_headless_script({"--drill", drill, "--history", dir}, one_shot_script);
    EXPECT_EQ(bad.code, 0);
    EXPECT_NE(bad.err.find("qmsim: cannot read " + dir + ": Is a directory"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("qmsim: history not saved: cannot open " + dir + ": Is a directory"), std::string::npos)
        << bad.err;
    EXPECT_NE(bad.out.find("\"finished\":true"), std::string::npos);
}

}  // namespace
}  // namespace qm
