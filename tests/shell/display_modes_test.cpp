// The display modes and the screen-mode search and switch, on a scripted
// screen.
#include "shell/display_modes.h"

#include <gtest/gtest.h>

#include <memory>

#include "shell_fakes.h"

namespace qm {
namespace {

using test::FakeDisplay;

std::vector<DisplayMode> unmatched_modes(int count)
{
    std::vector<DisplayMode> modes;
    for (int i = 0; i < count; ++i) modes.push_back({i % 2 == 0 ? 32 : 16, 1024 + i, 768});
    return modes;
}

TEST(DispMode, ModesWithoutScreenSwitchAlwaysSucceed)
{
    struct Case {
        int mode;
        int stretch;
        int window_moves;
    };
    const Case cases[] = {{1, 1, 0}, {4, 0, 1}};
    for (const Case& c : cases) {
        auto world = std::make_unique<World>();
        world->stretch = 7;  // shows whether it is written
        FakeDisplay display;
        EXPECT_EQ(disp_mode(*world, display, ScreenMode{c.mode}), 1) << c.mode;
        EXPECT_EQ(world->stretch, c.stretch) << c.mode;
        EXPECT_EQ(display.window_moves, c.window_moves) << c.mode;
        EXPECT_EQ(display.enumerations, 0) << c.mode;
        EXPECT_TRUE(display.change_requests.empty()) << c.mode;
    }
}

TEST(DispMode, WindowedAndFullScreenModesPutAn800By600WindowAtTheOrigin)
{
    for (int mode : {2, 3, 4}) {
        auto world = std::make_unique<World>();
        FakeDisplay display;
        display.modes = {{32, 800, 600}, {16, 800, 600}};
        EXPECT_EQ(disp_mode(*world, display, ScreenMode{mode}), 1) << mode;
        EXPECT_EQ(display.window_x, 0);
        EXPECT_EQ(display.window_y, 0);
        EXPECT_EQ(display.window_width, 800);
        EXPECT_EQ(display.window_height, 600);
    }
}

TEST(DispMode, UnknownModesFailAndChangeNothing)
{
    for (int mode : {0, 5, -1}) {
        auto world = std::make_unique<World>();
        world->stretch = 1;
        FakeDisplay display;
        EXPECT_EQ(disp_mode(*world, display, ScreenMode{mode}), 0) << mode;
        EXPECT_EQ(world->stretch, 1);
        EXPECT_EQ(display.window_moves, 0);
        EXPECT_EQ(display.enumerations, 0);
    }
}

TEST(DispMode, FailedSwitchLeavesTheWindowResizedAndUnstretched)
{
    auto world = std::make_unique<World>();
    FakeDisplay display;
    display.modes = unmatched_modes(40);
    EXPECT_EQ(disp_mode(*world, display, ScreenMode::fullscreen_16), 0);
    EXPECT_EQ(world->stretch, 0);
    EXPECT_EQ(display.window_moves, 1);
}

TEST(ChangeRes, SearchStopsAtTheFirstMatchAndSwitchesOnce)
{
    FakeDisplay display;
    display.modes = unmatched_modes(7);
    display.modes.push_back({32, 800, 600});  // index 7
    display.modes.push_back({32, 800, 600});
    EXPECT_EQ(change_res(display, 32, 800, 600), 1);
    EXPECT_EQ(display.enumerations, 8);
    ASSERT_EQ(display.change_requests.size(), 1u);
    const DisplayMode& asked = display.change_requests[0];
    EXPECT_EQ(asked.bits_per_pel, 32);
    EXPECT_EQ(asked.pels_width, 800);
    EXPECT_EQ(asked.pels_height, 600);
    EXPECT_EQ(asked.fields, 0x1C0000u);
    EXPECT_EQ(asked.display_flags, 0u);
}

TEST(ChangeRes, DepthMustMatchAsWellAsSize)
{
    FakeDisplay display;
    display.modes = {{32, 800, 600}, {16, 800, 600}};
    EXPECT_EQ(change_res(display, 16, 800, 600), 1);
    EXPECT_EQ(display.enumerations, 2);
    EXPECT_EQ(display.change_requests.at(0).bits_per_pel, 16);
}

TEST(ChangeRes, NoMatchingModeFailsWithoutAnyRequest)
{
    struct Case {
        int modes;
        int enumerations;
    };
    // Past the last mode the search goes on up to index 249; with more modes
    // than that and none matching it fails the same way instead of switching
    // to whatever mode it stopped on.
    const Case cases[] = {{0, 250}, {40, 250}, {300, 250}};
    for (const Case& c : cases) {
        FakeDisplay display;
        display.modes = unmatched_modes(c.modes);
        EXPECT_EQ(change_res(display, 16, 800, 600), 0) << c.modes;
        EXPECT_EQ(display.enumerations, c.enumerations) << c.modes;
        EXPECT_TRUE(display.change_requests.empty()) << c.modes;
    }
}

TEST(ChangeRes, RefusedFirstRequestIsRetriedWithTheRequestedValues)
{
    struct Case {
        std::vector<int> answers;
        int result;
    };
    const Case cases[] = {{{-1, 0}, 1}, {{-1, -1}, 0}};
    for (const Case& c : cases) {
        FakeDisplay display;
        display.modes = {{32, 800, 600}};
        display.change_answers = c.answers;
        EXPECT_EQ(change_res(display, 32, 800, 600), c.result);
        ASSERT_EQ(display.change_requests.size(), 2u);
        EXPECT_EQ(display.change_requests[1].bits_per_pel, 32);
        EXPECT_EQ(display.change_requests[1].pels_width, 800);
        EXPECT_EQ(display.change_requests[1].pels_height, 600);
        EXPECT_EQ(display.change_requests[1].fields, 0x1C0000u);
    }
}

}  // namespace
}  // namespace qm
