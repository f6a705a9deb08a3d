// The program as the user starts it, on a machine without a display: the
// desktop program says so in one line and fails, the headless one runs.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qm
