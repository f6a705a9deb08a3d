// The desktop program's options, shared by the SDL and Win32 shells: what
// ends the run before any window, with which exit code and output.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "history_support.h"
#include "scratch_files.h"
#include "terrain/bitmap_writer.h"

namespace qm {
namespace {

std::string contents(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
    return text;
}

TEST(CommandLine, OptionsEndTheRunOrLeaveItToTheDesktop)
{
    struct Case {
        std::vector<const char*> arguments;
        bool ends;
        int exit_code;
        const char* out_part;  // what standard output holds (when ending)
        const char* err_part;  // what standard error holds (when ending)
    };
    const Case cases[] = {
        {{}, false, 0, "", ""},
        {{"--version"}, true, 0, "qmsim ", ""},
        {{"--help"}, true, 0, "usage: qmsim", ""},
        {{"--fullscreen"}, true, 2, "", "qmsim: unknown option '--fullscreen' (see --help)\nusage: qmsim"},
        {{"--mode", "windowed"}, false, 0, "", ""},
        // --headless anywhere hands the whole line to the headless runner,
        // which knows no --version.
        {{"--version", "--headless"}, true, 2, "", "usage: qmsim --headless"},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv{const_cast<char*>("qmsim")};
        for (const char* argument : c.arguments) argv.push_back(const_cast<char*>(argument));
        std::FILE* in = std::tmpfile();
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        ASSERT_TRUE(in != nullptr && out != nullptr && err != nullptr);
        int exit_code = -1;
        QuickStart quick;
        const bool ends =
            run_command_line(static_cast<int>(argv.size()), argv.data(), in, out, err, exit_code, quick);
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(ends, c.ends) << shown;
        if (c.ends) {
            EXPECT_EQ(exit_code, c.exit_code) << shown;
        }
        EXPECT_NE(contents(out).find(c.out_part), std::string::npos) << shown;
        EXPECT_NE(contents(err).find(c.err_part), std::string::npos) << shown;
        std::fclose(in);
        std::fclose(out);
        std::fclose(err);
    }
}

// Every command's standard output, sent to a full device or a pipe nobody
// reads: the run ends with status 1 and says why, never 0.
TEST(CommandLine, EveryOutputThatCannotGetOutEndsWithOne)
{
    ::signal(SIGPIPE, SIG_IGN);  // a closed pipe must show as a failed write
    const std::string dir = test::scratch("outputs");
    const std::string history = dir + "/h.jsonl";
    std::string reason;
    ASSERT_TRUE(append_history(history, test::record("A", 300), reason)) << reason;
    const std::string full = test::make_device(dir + "/full", test::Device::full);
    const std::vector<std::vector<std::string>> commands = {
        {"--help"},
        {"--version"},
        {"drills"},
        {"drills", "--help"},
        {"history", "--history", history},
        {"history", "--history", history, "--csv"},
        {"history", "--help"},
        {"table", "--power", "0:4:1"},
        {"table", "--help"},
        {"chart", "--out", dir + "/c.png", "--power", "0:4:1", "--winds", "0:0"},
        {"chart", "--help"},
        {"--headless", "--help"},
        {"--headless"},  // the script below prints the state
    };
    for (const bool pipe_closed : {false, true}) {
        for (const std::vector<std::string>& command : commands) {
            std::vector<std::string> words = command;
            words.insert(words.begin(), "qmsim");
            std::vector<char*> argv;
            for (std::string& w : words) argv.push_back(w.data());
            std::FILE* in = std::tmpfile();
            std::fputs("state\n", in);
            std::rewind(in);
            std::FILE* err = std::tmpfile();
            int ends[2] = {-1, -1};
            std::FILE* out = nullptr;
            if (pipe_closed) {
                ASSERT_EQ(::pipe(ends), 0);
                ::close(ends[0]);
                out = ::fdopen(ends[1], "w");
            } else {
                out = std::fopen(full.c_str(), "w");
            }
            ASSERT_NE(out, nullptr);
            int exit_code = -1;
            QuickStart quick;
            EXPECT_TRUE(run_command_line(static_cast<int>(argv.size()), argv.data(), in, out, err, exit_code, quick));
            const std::string shown = words[1] + (words.size() > 2 ? " " + words[2] : "") + (pipe_closed ? " (closed pipe)" : " (full)");
            EXPECT_EQ(exit_code, 1) << shown;
            EXPECT_NE(contents(err).find("qmsim: cannot write to standard output: "), std::string::npos) << shown;
            std::fclose(in);
            std::fclose(out);
            std::fclose(err);
        }
    }
}

// A map without ground would leave its units falling for ever: every
// command refuses it when it loads it, with the reason; where a map has
// ground but none under the units, the table's wait for them to land ends
// with its own refusal after a bounded number of ticks.
TEST(CommandLine, AMapWithoutGroundIsRefusedWhereverItIsLoaded)
{
    const std::string dir = test::scratch("no_ground");
    const std::string empty = dir + "/empty.bmp";
    ASSERT_TRUE(write_bitmap(empty, MapPicture(800, map_rows, map_empty)));
    MapPicture edge(3200, map_rows, map_empty);
    for (int row = 700; row < map_rows; ++row) edge.at(row, 0) = map_terrain;  // one column, far from the units
    const std::string far = dir + "/far.bmp";
    ASSERT_TRUE(write_bitmap(far, edge));
    const std::string drill = test::make_text(dir + "/empty.drill", "map empty.bmp\n");
    const std::string no_ground = empty + ": no ground: every pixel is empty";
    const struct {
        std::vector<std::string> args;
        int code;
        std::string err;
    } cases[] = {
        {{"--map", empty}, 2, "qmsim: " + no_ground + "\n"},
        {{"--headless", "--map", empty}, 2, "qmsim: " + no_ground + "\n"},
        {{"--headless", "--drill", drill}, 2, "qmsim: " + no_ground + "\n"},
        {{"--drill", drill}, 2, "qmsim: " + no_ground + "\n"},
        {{"table", "--map", empty}, 2, "qmsim: " + no_ground + "\n"},
        {{"chart", "--map", empty, "--out", dir + "/c.png"}, 2, "qmsim: " + no_ground + "\n"},
        {{"table", "--map", far, "--power", "1"}, 2,
         "qmsim: table: the units do not come to rest within 10000 ticks on this map\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words = c.args;
        words.insert(words.begin(), "qmsim");
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        std::FILE* in = std::tmpfile();
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        int exit_code = -1;
        QuickStart quick;
        EXPECT_TRUE(run_command_line(static_cast<int>(argv.size()), argv.data(), in, out, err, exit_code, quick));
        EXPECT_EQ(exit_code, c.code) << words[1];
        EXPECT_EQ(contents(err).substr(0, c.err.size()), c.err) << words[1];
        std::fclose(in);
        std::fclose(out);
        std::fclose(err);
    }
}

}  // namespace
}  // namespace qm
