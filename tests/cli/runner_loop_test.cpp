// The runner's keys take the desktop's message loop, accelerators and all:
// what a key does here is what it does on the desktop, in Windows and on
// the page.
#include "cli/runner/headless_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terrain/bitmap_writer.h"
#include "terrain_test_support.h"
#include "tool_run.h"

namespace qm {
namespace {

// A map with ground in its lower half: units on it stand at y 900, on the
// flat map at 500 and on a drill's own map elsewhere.
std::string half_map(const test::TempDir& dir)
{
    MapPicture picture(800, 800);
    for (int row = 400; row < 800; ++row)
        for (int column = 0; column < 800; ++column) picture.at(row, column) = map_terrain;
    const std::string map = (dir.path() / "half.bmp").string();
    EXPECT_TRUE(write_bitmap(map, picture));
    return map;
}

constexpr const char* enter_first_drill = "until ready\ndown d\nup d\ndown enter\nup enter\n";

TEST(RunnerLoop, EscAndEnterMeanWhatTheyMeanOnTheDesktop)
{
    test::TempDir dir;
    const std::string map = half_map(dir);
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string script;
        std::size_t states;  // state lines printed before the run ends
        double player_y;     // where the player stands in the last one (not, in a drill)
        bool in_drill;
    };
    const Case cases[] = {
        {"Esc in free practice quits", {"--map", map}, "tick 100\nstate\ndown esc\nup esc\nstate\n", 1, 900, false},
        {"Enter finds the round running", {"--map", map}, "tick 100\ndown enter\nup enter\ntick\nstate\n", 1, 900, false},
        {"a drill from the menu runs on its own map",
         {"--map", map},
         std::string(enter_first_drill) + "until ready\nstate\n",
         1,
         900,  // not there
         true},
        {"Esc in a running drill gives back free practice on its map, Esc again quits",
         {"--map", map},
         std::string(enter_first_drill) + "until ready\nfire\nuntil rest\ndown esc\nup esc\ntick 200\nstate\n"
                                           "down esc\nup esc\nstate\n",
         1,
         900,
         false},
        {"on the flat map too",
         {},
         std::string(enter_first_drill) + "until ready\ndown esc\nup esc\ntick 200\nstate\n",
         1,
         500,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::RunResult r = test::run_headless_script(c.args, c.script);
        ASSERT_EQ(r.code, 0) << r.err;
        const std::vector<std::string> states = test::lines_of(r.out);
        ASSERT_EQ(states.size(), c.states) << r.out;
        const std::string& last = states.back();
        EXPECT_EQ(last.find("\"drill\":null") == std::string::npos, c.in_drill) << last;
        const double player_y = test::state_field(last, "player_bot", "pos_y");
        if (c.in_drill) {
            EXPECT_NE(player_y, c.player_y) << last;
        } else {
            EXPECT_EQ(player_y, c.player_y) << last;
        }
    }
}

}  // namespace
}  // namespace qm
