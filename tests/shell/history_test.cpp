// The drill history: lines that read back as written, foreign and torn lines
// skipped and left alone, appends that survive a killed writer and a full
// disk, the places it goes, and the commands that show it.
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

#include "cli/drill/drill_commands.h"
#include "sim/drill/drill_run.h"
#include "tool_run.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

std::string scratch(const std::string& name)
{
    const std::string dir = testing::TempDir() + "qm_history_" + name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string bytes_of(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

HistoryRecord record(const std::string& drill, long long score, bool abandoned = false)
{
    HistoryRecord r;
    r.time = "2026-12-07T21:03:04Z";
    r.drill = drill;
    r.digest = "00000000000000ab";
    r.seed = 4294967295u;
    r.rounds = 10;
    r.played = abandoned ? 3 : 10;
    r.hits = 7;
    r.first_shot_hits = 4;
    r.shots = 19;
    r.damage = 1234;
    r.score = score;
    r.mean_miss = 41.5;
    r.abandoned = abandoned;
    r.version = "0.1.0";
    return r;
}

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
