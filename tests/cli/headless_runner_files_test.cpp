// The headless runner's files: frames go only to plain files (through
// links) and never onto a file the run reads, scripts come only from plain
// files or standard input, and no path is cut short.
#include "cli/runner/headless_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "history_support.h"
#include "scratch_files.h"
#include "terrain/bitmap_writer.h"
#include "terrain/map_maker.h"
#include "terrain_test_support.h"
#include "tool_run.h"

namespace qm {
namespace {

// Frames onto devices, pipes, links and the run's own inputs, scripts of
// every kind, paths the system cannot take.
TEST(HeadlessRunner, TheRunsFilesFollowTheFileRules)
{
    test::TempDir dir;
    const std::string d = dir.path().string();
    const std::string map = d + "/m.bmp";
    ASSERT_TRUE(write_bitmap(map, MapPicture(64, map_rows, map_terrain)));
    const std::string script = test::make_text(d + "/s.txt", "tick\nframe " + d + "/s.txt\n");
    test::make_text(d + "/old.png", "old");
    test::make_link(d + "/link.png", "old.png");
    test::make_device(d + "/full", test::Device::full);
    test::make_device(d + "/zero", test::Device::zero);
    test::make_fifo(d + "/fifo");
    test::make_link_loop(d + "/loop");
    const std::string long_name = d + "/" + std::string(300, 'n') + ".png";
    const struct {
        std::vector<std::string> args;
        std::string script;
        int code;
        std::string err;
    } cases[] = {
        {{}, "frame " + d + "/full\n", 1, "qmsim: script line 1: cannot write the frame to " + d + "/full: not a plain file\n"},
        {{}, "frame " + d + "/fifo\n", 1, "qmsim: script line 1: cannot write the frame to " + d + "/fifo: not a plain file\n"},
        {{}, "frame " + long_name + "\n", 1, "qmsim: script line 1: cannot write the frame to " + long_name + ": File name too long\n"},
        {{"--script", test::make_text(d + "/nul.txt", std::string("frame a.png\0b.png\n", 18))}, "", 2,
         "qmsim: script line 1: frame path holds a NUL byte\n"},
        {{"--map", map}, "frame " + d + "/./m.bmp\n", 2,
         "qmsim: script line 1: frame " + d + "/./m.bmp and --map " + map + " are the same file\n"},
        {{"--script", script}, "", 2, "qmsim: script line 2: frame " + script + " and --script " + script + " are the same file\n"},
        {{"--script", d + "/fifo"}, "", 2, "qmsim: cannot open the script " + d + "/fifo: not a plain file\n"},
        {{"--script", d + "/zero"}, "", 2, "qmsim: cannot open the script " + d + "/zero: not a plain file\n"},
        {{"--script", d + "/loop"}, "", 2, "qmsim: cannot open the script " + d + "/loop: Too many levels of symbolic links\n"},
        {{"--map", map, "--history", map}, "", 2, "qmsim: --history " + map + " and --map " + map + " are the same file\n"},
        {{"--history", d + "/" + std::string(600, 'h')}, "", 2, "qmsim: --history: a path longer than 511 bytes\n"},
        {{"--script", "-"}, "frame " + d + "/link.png\n", 0, ""},
    };
    for (const auto& c : cases) {
        const test::RunResult r = test::run_headless_script(c.args, c.script);
        EXPECT_EQ(r.code, c.code) << c.script;
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << c.script;
    }
    // The link still leads to the file the frame replaced; nothing else is left.
    EXPECT_TRUE(std::filesystem::is_symlink(d + "/link.png"));
    EXPECT_EQ(test::bytes_of(d + "/old.png").substr(1, 3), "PNG");
    EXPECT_EQ(test::bytes_of(map).substr(0, 2), "BM");
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    }
}

TEST(HeadlessRunner, FailuresSayWhyAndLeaveNothingHalfWritten)
{
    test::TempDir dir;
    const std::string folder = dir.path().string();
    const std::string missing = folder + "/no/such/frame.png";
    const struct {
        std::vector<std::string> args;
        std::string script;
        int code;
        std::string message;
    } cases[] = {
        {{"--map", folder + "/none.bmp"}, "state\n", 2, "qmsim: " + folder + "/none.bmp: No such file or directory\n"},
        {{"--map", folder}, "state\n", 2, "qmsim: " + folder + ": Is a directory\n"},
        {{"--map", QM_SOURCE_DIR "/README.md"}, "state\n", 2, "qmsim: " QM_SOURCE_DIR "/README.md: not a BMP file\n"},
        {{"--script", folder}, "state\n", 2, "qmsim: cannot open the script " + folder + ": Is a directory\n"},
        {{}, "tick\nframe " + missing + "\nstate\n", 1,
         "qmsim: script line 2: cannot write the frame to " + missing + ": No such file or directory\n"},
        {{}, "frame " + folder + "\n", 1,
         "qmsim: script line 1: cannot write the frame to " + folder + ": Is a directory\n"},
    };
    for (const auto& c : cases) {
        const test::RunResult r = test::run_headless_script(c.args, c.script);
        EXPECT_EQ(r.code, c.code) << c.script;
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// A map saved by a paint program as a 24- or 32-bit BMP plays as the same
// picture saved with 1 bit a pixel: the same states and the same frames.
// One that cannot be read says why.
TEST(HeadlessRunner, AColourMapPlaysAsItsOneBitMap)
{
    test::TempDir dir;
    const MapPicture hills = sample_maps().front().picture;
    const std::string one_bit = dir.file("hills.bmp");
    ASSERT_TRUE(write_bitmap(one_bit, hills));
    const std::string script = "until rest\naim 45 2.2\nfire\nuntil rest\nstate\nframe ";
    const test::RunResult expected = test::run_headless_script({"--map", one_bit}, script + dir.file("1.png") + "\n");
    ASSERT_EQ(expected.code, 0) << expected.err;
    const struct {
        const char* name;
        test::ColourBmp how;
    } cases[] = {
        {"earth24.bmp", {24, 0xFF6B4423, 0xFF9BD4F5, {}}},
        {"earth32.bmp", {32, 0xFF6B4423, 0x009BD4F5, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(write_file(dir.file(c.name), test::colour_bmp(hills, c.how)));
        const test::RunResult r =
            test::run_headless_script({"--map", dir.file(c.name)}, script + dir.file(std::string(c.name) + ".png") + "\n");
        ASSERT_EQ(r.code, 0) << c.name << ": " << r.err;
        EXPECT_EQ(r.out, expected.out) << c.name;
        EXPECT_EQ(test::bytes_of(dir.file(std::string(c.name) + ".png")), test::bytes_of(dir.file("1.png"))) << c.name;
    }
    std::vector<unsigned char> eight_bit = test::colour_bmp(hills, {});
    test::patch16(eight_bit, 28, 8);
    ASSERT_TRUE(write_file(dir.file("paletted.bmp"), eight_bit));
    const test::RunResult refused = test::run_headless_script({"--map", dir.file("paletted.bmp")}, "state\n");
    EXPECT_EQ(refused.code, 2);
    EXPECT_EQ(refused.err, "qmsim: " + dir.file("paletted.bmp") + ": 8 bits per pixel; maps have 1, 24 or 32\n");
}

TEST(HeadlessRunner, AStateThatCannotBeWrittenEndsTheRunWithExitOne)
{
    test::TempDir dir;
    std::FILE* full = std::fopen(test::make_device(dir.file("full"), test::Device::full).c_str(), "w");
    ASSERT_NE(full, nullptr);
    const test::RunResult r = test::run_headless_script({}, "state\ntick\nstate\n", full);
    std::fclose(full);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "qmsim: cannot write to standard output: No space left on device\n");
}

// Every session the runner plays is kept with --history, however it was
// started, and one left after a shot keeps that shot's round.
TEST(HeadlessRunner, EveryDrillKeepsItsHistoryWithItsRoundsSoFar)
{
    test::TempDir dir;
    const std::string shot = "until ready\naim 45 0.5\nfire\nuntil ready\n";
    const std::string menu = "until ready\ndown d\nup d\ndown enter\nup enter\n";  // the first drill: Still air
    const struct {
        std::vector<std::string> args;
        std::string script;
        int lines;
    } cases[] = {
        {{}, menu + shot, 1},
        {{}, menu + "until ready\n", 0},  // nothing to keep before a shot
        {{"--drill", "still", "--seed", "3"}, shot, 1},
        {{}, "until ready\n", 0},
    };
    int run = 0;
    for (const auto& c : cases) {
        const std::string path = dir.file(std::to_string(run++) + ".jsonl");
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--history", path});
        const test::RunResult r = test::run_headless_script(args, c.script);
        ASSERT_EQ(r.code, 0) << r.err;
        std::vector<HistoryRecord> records;
        std::vector<long> skipped;
        std::string reason;
        ASSERT_TRUE(read_history_each(path, [&](HistoryRecord& h) { records.push_back(h); }, skipped, reason)) << reason;
        ASSERT_EQ(static_cast<int>(records.size()), c.lines) << c.script;
        EXPECT_TRUE(skipped.empty());
        if (c.lines == 0) continue;
        const HistoryRecord& h = records[0];
        EXPECT_EQ(h.drill, "Still air");
        EXPECT_TRUE(h.abandoned);
        EXPECT_EQ(h.played, 1);
        EXPECT_EQ(h.shots, 1);
        ASSERT_EQ(h.round_log.size(), 1u) << c.script;
        EXPECT_EQ(h.round_log[0].number, 1);
        EXPECT_EQ(h.round_log[0].shots, 1);
        EXPECT_DOUBLE_EQ(h.round_log[0].shot[0].power, 0.5);
    }
}

}  // namespace
}  // namespace qm
