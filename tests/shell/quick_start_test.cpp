// Quick start: the command line's round choices, refused values, and the
// dialog's Start run with them without the dialog showing.
#include "cli/quick_start_options.h"
#include "shell/quick_start.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "shell/dialog/resources.h"
#include "shell_fakes.h"
#include "terrain/bitmap_writer.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

// The choices point into args, which must outlive them.
bool parse(std::vector<std::string>& args, QuickStart& choices, std::string& error)
{
    std::vector<char*> argv = {const_cast<char*>("qmsim")};
    for (std::string& a : args) argv.push_back(a.data());
    std::string usage;
    return parse_quick_start(static_cast<int>(argv.size()), argv.data(), choices, error, usage);
}

TEST(QuickStartOptions, EachOptionSetsItsChoiceAndAnyRequestsTheQuickStart)
{
    test::TempDir dir;
    const std::string hills = dir.file("hills.bmp");
    const std::string spaced = dir.file("a b.bmp");
    ASSERT_TRUE(write_bitmap(hills, MapPicture(800, map_rows, map_terrain)));
    ASSERT_TRUE(write_bitmap(spaced, MapPicture(800, map_rows, map_terrain)));
    const int turns = RoundSettings{}.wind_change_turn;  // untouched without --wind
    struct {
        std::vector<std::string> args;
        bool requested;
        const std::string* map;
        ScreenMode mode;
        bool wind_given;
        int random_wind, turns;
        double wind, wang;
    } cases[] = {
        {{}, false, nullptr, ScreenMode::stretch_fullscreen, false, 1, turns, 0, 0},
        {{"--map", hills}, true, &hills, ScreenMode::stretch_fullscreen, false, 1, turns, 0, 0},
        {{"--mode", "stretch"}, true, nullptr, ScreenMode::stretch_fullscreen, false, 1, turns, 0, 0},
        {{"--mode", "full32"}, true, nullptr, ScreenMode::fullscreen_32, false, 1, turns, 0, 0},
        {{"--mode", "full16"}, true, nullptr, ScreenMode::fullscreen_16, false, 1, turns, 0, 0},
        {{"--mode", "windowed"}, true, nullptr, ScreenMode::windowed, false, 1, turns, 0, 0},
        {{"--wind", "random:20"}, true, nullptr, ScreenMode::stretch_fullscreen, true, 1, 20, 0, 0},
        {{"--wind", "fixed:25:359", "--map", spaced}, true, &spaced, ScreenMode::stretch_fullscreen, true, 0, turns, 25, 359},
    };
    for (auto& c : cases) {
        QuickStart q;
        std::string error;
        ASSERT_TRUE(parse(c.args, q, error)) << error;
        EXPECT_EQ(q.requested, c.requested) << error;
        EXPECT_STREQ(q.round.map, c.map != nullptr ? c.map->c_str() : nullptr);
        EXPECT_EQ(q.mode, c.mode);
        EXPECT_EQ(q.wind_given, c.wind_given);
        EXPECT_EQ(q.round.random_wind, c.random_wind);
        EXPECT_EQ(q.round.wind_change_turn, c.turns);
        EXPECT_EQ(q.round.wind, c.wind);
        EXPECT_EQ(q.round.wang, c.wang);
    }
}

TEST(QuickStartOptions, BadArgumentsAreRefusedWithTheReason)
{
    struct {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {
        {{"--mode", "fullscreen"}, "bad mode 'fullscreen': stretch, full32, full16 or windowed"},
        {{"--wind", "random:0"}, "bad wind 'random:0'"},
        {{"--wind", "fixed:26:0"}, "bad wind 'fixed:26:0'"},
        {{"--wind", "fixed:3"}, "bad wind 'fixed:3'"},
        {{"--map"}, "--map needs a value"},
        {{"--mode", "windowed", "--wind"}, "--wind needs a value"},
        {{"--fast"}, "unknown option '--fast' (see --help)"},
        {{"--map", std::string(map_name_size, 'm')}, "map path longer than 255 characters"},
        {{"--map", "/nonexistent/hills.bmp"}, "/nonexistent/hills.bmp: No such file or directory"},
    };
    for (auto& c : cases) {
        QuickStart q;
        std::string error;
        EXPECT_FALSE(parse(c.args, q, error)) << c.reason;
        EXPECT_EQ(error.rfind(c.reason, 0), 0u) << error;
    }
}

// A dialog ready for Start, on a recording desktop.
struct QuickStartDialog {
    QuickStartDialog()
    {
        std::string error;
        EXPECT_TRUE(parse_dialog_template(dialog_resource, dialog, error)) << error;
        display.modes = {{32, 800, 600}};
    }
    void start(const QuickStart& choices)
    {
        DialgProc(context, WM_INITDIALOG, 0, 0);
        quick_start(context, choices);
    }

    std::unique_ptr<World> world = std::make_unique<World>();
    Dialog dialog;
    test::CallLog log;
    test::FakeDesktop desktop{log};
    test::FakeDisplay display;
    DialogContext context{*world, dialog, desktop, display};
};

class QuickStartRound : public ::testing::Test, public QuickStartDialog {};

TEST_F(QuickStartRound, TheFlatMapStartsAtOnceWithTheGivenModeAndWind)
{
    QuickStart choices;
    choices.requested = true;
    choices.mode = ScreenMode::windowed;
    choices.wind_given = true;
    choices.round = {nullptr, 0, 3, 7.0, 200.0};
    start(choices);

    EXPECT_EQ(world->flat_map, 1);
    EXPECT_EQ(world->stretch, 0);
    EXPECT_EQ(display.window_moves, 1);
    EXPECT_EQ(world->random_wind, 0);
    EXPECT_EQ(world->wind, 7.0);
    EXPECT_EQ(world->wang, 200.0);
    EXPECT_EQ(world->loaded, 1);
    // The dialog never shows; hiding it is what Start always does.
    EXPECT_EQ(log.calls, (std::vector<std::string>{"hide dialog", "show main", "timer 1 16"}));
}

TEST(QuickStartMap, TheMapIsTakenFromTheCatalogueOrAddedToItAndBuiltWithTheDialogsDefaults)
{
    // The catalogue lists one map 800 wide; another, 1600 wide, it does not.
    test::TempDir dir;
    const std::string listed = dir.file("listed.bmp");
    const std::string other = dir.file("other.bmp");
    ASSERT_TRUE(write_bitmap(listed, MapPicture(800, map_rows, map_terrain)));
    ASSERT_TRUE(write_bitmap(other, MapPicture(1600, map_rows, map_terrain)));
    const struct {
        const std::string* map;
        int map_count;
        int width;
    } cases[] = {{&listed, 1, 800}, {&other, 2, 1600}};
    for (const auto& c : cases) {
        QuickStartDialog round;
        World& world = *round.world;
        std::strcpy(world.map_filename[0], listed.c_str());
        world.map_count = 1;
        QuickStart choices;
        choices.requested = true;
        choices.round.map = c.map->c_str();
        round.start(choices);
        EXPECT_EQ(world.map_count, c.map_count) << *c.map;
        EXPECT_STREQ(world.map_filename[c.map_count - 1], c.map->c_str());
        EXPECT_EQ(world.imagen_x, c.width);
        EXPECT_EQ(world.loading, 1);
        EXPECT_EQ(world.stretch, 1);
        EXPECT_EQ(world.random_wind, 1);
        EXPECT_EQ(world.wind_change_turn, 3);
    }
}

}  // namespace
}  // namespace qm
