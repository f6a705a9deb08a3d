// The drill history: lines that read back as written, foreign and torn lines
// skipped and left alone, appends that survive a killed writer and a full
// disk, the places it goes, and the runner that keeps it.
#include "formats/history/history.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
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
#include "scratch_files.h"
#include "bodies/field.h"
#include "sim/drill/coach_bands.h"
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

// The longest session a drill can leave, every field at its widest, is a
// line the reader takes.
TEST(History, TheLongestSessionReadsBack)
{
    HistoryRecord r = record("Long", 0);
    r.format = history_format;
    r.rounds = r.played = drill_max_rounds;
    r.hits = r.first_shot_hits = 0;
    r.damage = 0;
    r.shots = drill_max_rounds * drill_max_shots;
    HistoryRound round;
    round.distance = -(field_left - field_right);
    round.side = -1;
    round.wind = drill_max_wind;
    round.wang = drill_max_wang;
    round.along = -drill_max_wind;
    round.band = coach_band(round.distance, round.along);
    round.predicted = 0.123;
    round.shots = drill_max_shots;
    for (HistoryShot& s : round.shot) s = HistoryShot{359.99, 3.99, 0, true, field_left - field_right};
    for (int i = 0; i < drill_max_rounds; ++i) {
        round.number = i + 1;
        r.round_log.push_back(round);
    }
    const std::string path = scratch("longest") + "/h.jsonl";
    std::string reason;
    ASSERT_TRUE(append_history(path, r, reason)) << reason;
    std::vector<HistoryRecord> read;
    std::vector<long> skipped;
    ASSERT_TRUE(read_history_each(path, [&](HistoryRecord& h) { read.push_back(h); }, skipped, reason)) << reason;
    EXPECT_TRUE(skipped.empty()) << bytes_of(path).size() << " bytes";
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].round_log.size(), static_cast<std::size_t>(drill_max_rounds));
    EXPECT_EQ(format_history_line(read[0]), bytes_of(path));
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
            for (long long i = 0;; ++i) append_history(path, record("Killed", i % 1000), reason);
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

// A history that cannot be read is an error with its reason: its bests
// would otherwise silently vanish.
TEST(History, AHistoryThatCannotBeReadIsAnErrorNeverEmpty)
{
    const std::string dir = scratch("unreadable");
    test::make_text(dir + "/file", "x");
    const std::string good = format_history_line(record("A", 10));
    const struct {
        std::string path;
        const char* reason;    // empty: read
        std::size_t records;
        std::vector<long> skipped;
    } cases[] = {
        {dir + "/missing.jsonl", "", 0, {}},  // a history not yet begun
        {test::make_link(dir + "/dangling", "missing.jsonl"), "", 0, {}},
        {test::make_text(dir + "/long.jsonl", good + std::string(5000, 'x') + "\r" + good), "", 2, {2}},
        {test::make_text(dir + "/cr.jsonl", good.substr(0, good.size() - 1) + "\r" + good), "", 2, {}},
        {test::make_link_loop(dir + "/loop"), "Too many levels of symbolic links", 0, {}},
        {dir + "/file/h.jsonl", "Not a directory", 0, {}},
        {dir, "Is a directory", 0, {}},
        {test::make_fifo(dir + "/fifo"), "not a plain file", 0, {}},
        {test::make_device(dir + "/zero", test::Device::zero), "not a plain file", 0, {}},
    };
    for (const auto& c : cases) {
        HistoryContents contents;
        std::string reason;
        EXPECT_EQ(read_history(c.path, contents, reason), c.reason[0] == '\0') << c.path;
        if (c.reason[0] != '\0') {
            EXPECT_EQ(reason, "cannot read " + c.path + ": " + c.reason);
        }
        EXPECT_EQ(contents.records.size(), c.records) << c.path;
        EXPECT_EQ(contents.skipped, c.skipped) << c.path;
    }
}

// Each field spoiled in turn: the line is skipped, as a torn one is.
TEST(History, LinesWithFiguresNoDrillCanLeaveAreSkipped)
{
    const std::string good = format_history_line(record("A", 3702));
    const struct {
        const char* what;
        const char* from;
        const char* to;
    } cases[] = {
        {"rounds none", "\"rounds\":10", "\"rounds\":0"},
        {"more played than rounds", "\"played\":10", "\"played\":11"},
        {"more hits than played", "\"hits\":7", "\"hits\":11"},
        {"more first-shot hits than hits", "\"first_shot_hits\":4", "\"first_shot_hits\":8"},
        {"fewer shots than hits", "\"shots\":19", "\"shots\":6"},
        {"more shots than the rounds allow", "\"shots\":19", "\"shots\":101"},
        {"more damage than the hits can do", "\"damage\":1234", "\"damage\":2521"},
        {"a negative count", "\"hits\":7", "\"hits\":-7"},
        {"a score past what the rounds allow", "\"score\":3702", "\"score\":10801"},
        {"a score past any number", "\"score\":3702", "\"score\":99999999999999999999"},
        {"a miss that is no number", "\"mean_miss\":41.5", "\"mean_miss\":1e999"},
        {"a miss wider than the field", "\"mean_miss\":41.5", "\"mean_miss\":4800.5"},
        {"a negative miss", "\"mean_miss\":41.5", "\"mean_miss\":-1"},
        {"a 30th of February", "2026-12-07", "2026-02-30"},
        {"a 61st second", "21:03:04Z", "21:03:60Z"},
        {"an hour past 23", "21:03:04Z", "24:00:00Z"},
        {"a local time", "21:03:04Z", "21:03:04+01"},
        {"a short digest", "00000000000000ab", "ab"},
        {"a name with a line break", "\"drill\":\"A\"", "\"drill\":\"A\\nB\""},
        {"a name with a NUL", "\"drill\":\"A\"", "\"drill\":\"A\\u0000\""},
        {"an empty name", "\"drill\":\"A\"", "\"drill\":\"\""},
        {"a name that is not UTF-8", "\"drill\":\"A\"", "\"drill\":\"\xff\""},
        {"a name half a surrogate pair", "\"drill\":\"A\"", "\"drill\":\"\\ud83c\""},
    };
    HistoryRecord r;
    ASSERT_TRUE(parse_history_line(good.substr(0, good.size() - 1), r));
    for (const auto& c : cases) {
        std::string line = good.substr(0, good.size() - 1);
        const std::size_t at = line.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.what;
        line.replace(at, std::string(c.from).size(), c.to);
        EXPECT_FALSE(parse_history_line(line, r)) << c.what << ": " << line;
    }
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
    const std::string drill = test::make_text(dir + "/one.drill", one_shot_drill);
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

    // A history that cannot be read: refused before the first tick.
    test::RunResult bad = test::run_headless_script({"--drill", drill, "--history", dir}, one_shot_script);
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.err, "qmsim: cannot read " + dir + ": Is a directory\n");
    EXPECT_EQ(bad.out, "");
}

// A line that could not be written: said on stderr and in the results, the
// script run to its end, then status 1.
TEST(History, TheRunnerEndsWithOneWhenALineCannotBeWritten)
{
    const std::string dir = scratch("runner_full");
    const std::string drill = test::make_text(dir + "/one.drill", one_shot_drill);
    const std::string path = dir + "/h.jsonl";
    std::string reason;
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(append_history(path, record("One", i), reason));
    const std::string before = bytes_of(path);
    // The output goes to a device, which the size limit does not reach.
    const std::string null = test::make_device(dir + "/null", test::Device::null);
    const std::string result = dir + "/result";
    const pid_t child = fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit room{static_cast<rlim_t>(before.size()), static_cast<rlim_t>(before.size())};
        ::setrlimit(RLIMIT_FSIZE, &room);
        std::FILE* out = std::fopen(null.c_str(), "w");
        test::RunResult r = test::run_headless_script({"--drill", drill, "--seed", "1", "--history", path},
                                                      one_shot_script, out);
        std::FILE* f = std::fopen(result.c_str(), "w");
        std::fprintf(f, "%d\n%s", r.code, r.err.c_str());
        std::fclose(f);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string said = bytes_of(result);
    EXPECT_EQ(said, "1\nqmsim: history not saved: cannot write " + path + ": File too large\n");
    EXPECT_EQ(bytes_of(path), before);
}

}  // namespace
}  // namespace qm
