// The program as the user starts it, on a machine without a display: the
// desktop program says so in one line and fails, the headless one runs.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "child_process.h"

namespace qm {
namespace {

// Every variable through which the program could find a display.
const std::vector<std::string> display_variables = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};

// Runs the desktop program in the given environment and expects it to fail
// with one line that names the display and suggests --headless.
void expect_refused_for_want_of_a_display(const std::vector<std::string>& argv)
{
    test::ChildProcess qmsim(argv, display_variables);
    ASSERT_TRUE(qmsim.started());
    std::string out;
    EXPECT_FALSE(qmsim.read_line(out)) << out;
    EXPECT_EQ(qmsim.wait(), 1);
    const std::string error = qmsim.error_text();
    ASSERT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), error.size() - 1) << error;  // exactly one line
    EXPECT_NE(error.find("display"), std::string::npos) << error;
    EXPECT_NE(error.find("--headless"), std::string::npos) << error;
}

TEST(Main, WithoutADisplaySaysSoInOneLineAndSuggestsHeadless)
{
    expect_refused_for_want_of_a_display({QM_BINARY_DIR "/qmsim"});
}

TEST(Main, AnUnreachableDisplaySaysSoInOneLineAndSuggestsHeadless)
{
    // DISPLAY names an X server that is not there. (In the sanitizer build,
    // the block libdbus keeps after SDL's attempt is not this program's leak.)
    expect_refused_for_want_of_a_display(
        {"/usr/bin/env", "DISPLAY=:59731",
         "LSAN_OPTIONS=print_suppressions=0:suppressions=" QM_SOURCE_DIR "/tests/lsan_suppressions.txt",
         QM_BINARY_DIR "/qmsim"});
}

TEST(Main, HeadlessRunsWithoutADisplay)
{
    test::ChildProcess qmsim({QM_BINARY_DIR "/qmsim", "--headless"}, display_variables);
    ASSERT_TRUE(qmsim.started());
    ASSERT_TRUE(qmsim.write("tick 3\nstate\n"));
    qmsim.close_input();
    std::string line;
    ASSERT_TRUE(qmsim.read_line(line));
    EXPECT_EQ(line.rfind("{\"tick\":3,", 0), 0u) << line;
    EXPECT_EQ(qmsim.wait(), 0);
    EXPECT_EQ(qmsim.error_text(), "");
}

TEST(Main, OptionsTheDesktopCannotTakeAreRefusedBeforeAnyDisplay)
{
    // The quick start's values are checked before a display is looked for,
    // so these fail with exit code 2 on any machine.
    const std::string usage =
        "usage: qmsim [--map FILE] [--mode stretch|full32|full16|windowed] [--wind random:N | --wind fixed:S:A]\n"
        "             [--drill NAME|FILE [--seed N]] [--challenge CODE|PACK] [--history FILE]\n"
        "             [--controls FILE] [--quiet-start]\n";
    const std::string controls = testing::TempDir() + "qm_main_controls.conf";
    { std::ofstream(controls) << "fire KeyF\nangle-up KeyF\n"; }
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--script", "shot.txt"}, "qmsim: --script needs --headless\n"},
        {{"--fast"}, "qmsim: unknown option '--fast' (see --help)\n" + usage},
        {{"--map", "/nonexistent/hills.bmp"}, "qmsim: /nonexistent/hills.bmp: No such file or directory\n" + usage},
        {{"--mode", "tiny"}, "qmsim: bad mode 'tiny': stretch, full32, full16 or windowed\n" + usage},
        {{"--mode", "windowed", "--wind", "fixed:3"},
         "qmsim: bad wind 'fixed:3': random:N with N from 1 to 20, or fixed:S:A with S from 0 to 25 and A from 0 to "
         "359\n" + usage},
        // A bad controls file names its line, before any window opens.
        {{"--controls", controls}, "qmsim: " + controls + ":2: KeyF is bound to both angle-up and fire\n" + usage},
    };
    for (const auto& c : cases) {
        std::vector<std::string> argv = {QM_BINARY_DIR "/qmsim"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        test::ChildProcess qmsim(argv, display_variables);
        ASSERT_TRUE(qmsim.started());
        EXPECT_EQ(qmsim.wait(), 2) << c.args[0];
        EXPECT_EQ(qmsim.error_text(), c.message);
    }
}

// Nothing counts as written that did not reach the reader: a pipe closed
// before the output is a failure with its reason, not a silent success or a
// death by signal.
TEST(Main, AClosedPipeOnTheOutputEndsTheRunWithExitOne)
{
    const struct {
        std::vector<std::string> argv;
        const char* script;
    } cases[] = {
        {{QM_BINARY_DIR "/qmsim", "--headless"}, "tick\nstate\n"},
        {{QM_BINARY_DIR "/qmsim", "table", "--power", "0:4:0.5"}, ""},
    };
    for (const auto& c : cases) {
        test::ChildProcess qmsim(c.argv, display_variables);
        ASSERT_TRUE(qmsim.started());
        qmsim.close_output();
        qmsim.write(c.script);
        EXPECT_EQ(qmsim.wait(), 1) << c.argv[1];
        EXPECT_EQ(qmsim.error_text(), "qmsim: cannot write to standard output: Broken pipe\n");
    }
}

}  // namespace
}  // namespace qm
