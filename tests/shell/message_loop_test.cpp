// The message loop on scripted input and a simulated clock: terrain build
// slices, the tick timer, accelerator routing and dispatch.
#include "shell/message_loop.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "shell/dialog/resources.h"
#include "shell_fakes.h"

namespace qm {
namespace {

using test::CallLog;
using test::FakeDisplay;
using test::FakeEvents;
using test::FakeHost;

Message key_down(Window window, unsigned key, unsigned modifiers = 0)
{
    return Message{window, WM_KEYDOWN, key, 0, modifiers};
}

class Loop : public ::testing::Test {
protected:
    Loop()
    {
        std::string error;
        EXPECT_TRUE(parse_dialog_template(dialog_resource, dialog, error)) << error;
        EXPECT_TRUE(parse_accelerators(accelerator_resource, accelerators, error)) << error;
        loop.window_proc = [this](World&, Platform& platform, unsigned message, WPARAM wparam, LPARAM) -> LRESULT {
            if (message == WM_TIMER) {
                ++ticks;
            } else {
                log.add("window " + std::to_string(message) + " " + std::to_string(wparam));
            }
            if (message == WM_KEYDOWN && wparam == VK_ESCAPE) platform.post_quit(0);
            if (message == WM_TIMER && ticks == stop_after_ticks) platform.post_quit(0);
            return 0;
        };
        loop.build_step = [this](World&) {
            ++build_steps;
            return build_steps < build_length ? 1 : 0;
        };
        DialgProc(loop.dialog_context(), WM_INITDIALOG, 0, 0);
    }

    std::unique_ptr<World> world = std::make_unique<World>();
    Dialog dialog;
    AcceleratorTable accelerators;
    CallLog log;
    FakeDisplay display;
    FakeEvents events;
    FakeHost host{log};
    MessageLoop loop{*world, dialog, display, accelerators, events, host};

    int ticks = 0;
    int stop_after_ticks = -1;
    int build_steps = 0;
    int build_length = 0;
};

TEST_F(Loop, ReturnsTheQuitCode)
{
    loop.post_quit(3);
    EXPECT_EQ(loop.run(), 3);
}

TEST_F(Loop, BuildRunsInTimedSlicesWithoutEverSleeping)
{
    world->loading = 1;
    build_length = 20'500;
    events.ms_per_clock_read = 1;  // every look at the clock costs a millisecond
    // An input message half-way is handled between two slices.
    events.add(6, Message{Window::main, WM_MOUSEMOVE, 0, 0, 0});
    stop_after_ticks = 1;

    EXPECT_EQ(loop.run(), 0);
    // A slice reads the clock once to start and once per thousand steps, so
    // at one millisecond a read it runs 4000 steps: five full slices and the
    // rest of a sixth.
    EXPECT_EQ(build_steps, 20'500);
    EXPECT_EQ(world->loading, 0);
    EXPECT_EQ(world->loaded, 1);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"window 512 0", "hide dialog", "show main"}));
    // The first wait comes after the build, while the timer runs.
    EXPECT_EQ(ticks, 1);
}

TEST_F(Loop, BuildSliceChecksTheClockEveryThousandSteps)
{
    world->loading = 1;
    build_length = 9'500;
    events.ms_per_clock_read = 1;
    std::vector<int> steps_at_clock_reads;
    events.on_clock_read = [&] { steps_at_clock_reads.push_back(build_steps); };
    stop_after_ticks = 1;
    EXPECT_EQ(loop.run(), 0);
    // Each slice: one read to start, one after every thousand steps, until
    // its four milliseconds are up.
    std::vector<int> first_two_slices(steps_at_clock_reads.begin(), steps_at_clock_reads.begin() + 10);
    EXPECT_EQ(first_two_slices, (std::vector<int>{0, 1000, 2000, 3000, 4000, 4000, 5000, 6000, 7000, 8000}));
}

TEST_F(Loop, CompletedBuildHidesTheDialogShowsTheWindowAndStartsTheTimer)
{
    world->loading = 1;
    build_length = 10;
    stop_after_ticks = 3;
    EXPECT_EQ(loop.run(), 0);
    EXPECT_EQ(build_steps, 10);  // not called again once complete
    EXPECT_EQ(log.calls, (std::vector<std::string>{"hide dialog", "show main"}));
    EXPECT_EQ(world->loaded, 1);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(events.clock_ms, 3u * tick_period_ms);
}

TEST_F(Loop, TimerTicksEvery16MsAndDoesNotMakeUpLateTicks)
{
    std::vector<std::uint64_t> tick_times;
    loop.window_proc = [&](World&, Platform& platform, unsigned message, WPARAM, LPARAM) -> LRESULT {
        if (message != WM_TIMER) return 0;
        tick_times.push_back(events.clock_ms);
        // The second tick stalls for 100 ms.
        if (tick_times.size() == 2) events.clock_ms += 100;
        if (tick_times.size() == 6) platform.post_quit(0);
        return 0;
    };
    loop.set_timer(tick_timer_id, tick_period_ms);
    EXPECT_EQ(loop.run(), 0);
    // After the stall one tick comes at once, then the period resumes: the
    // missed ticks are not fired in a burst.
    EXPECT_EQ(tick_times, (std::vector<std::uint64_t>{16, 32, 132, 148, 164, 180}));
    EXPECT_GT(events.waits, 0);
}

TEST_F(Loop, EnterInTheDialogStartsOnALaterPassAfterTheKeyIsDispatched)
{
    events.add(0, key_down(Window::dialog, VK_RETURN));
    stop_after_ticks = 1;
    EXPECT_EQ(loop.run(), 0);
    // The key reached the dialog (which ignores it); the posted click of
    // Start ran the flat map.
    EXPECT_EQ(world->flat_map, 1);
    EXPECT_EQ(world->loaded, 1);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"hide dialog", "show main"}));
}

TEST_F(Loop, KeysReachTheMainWindowAfterTheAcceleratorTable)
{
    world->loaded = 1;  // running
    events.add(0, key_down(Window::main, VK_RETURN));
    events.add(0, key_down(Window::main, VK_RETURN, MOD_SHIFT));
    events.add(0, key_down(Window::main, VK_F));
    events.add(0, key_down(Window::main, VK_ESCAPE));
    EXPECT_EQ(loop.run(), 0);
    // Enter changes nothing while running; Esc quits through the window
    // procedure, whose quit is fetched before the posted Exit click.
    EXPECT_EQ(log.calls, (std::vector<std::string>{"window 256 13", "window 256 13", "window 256 70",
                                                   "window 256 27"}));
    EXPECT_EQ(world->flat_map, 0);
}

TEST_F(Loop, EscapeInTheDialogQuitsThroughTheExitClick)
{
    events.add(0, key_down(Window::dialog, VK_ESCAPE));
    EXPECT_EQ(loop.run(), 0);
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(Loop, DialogPaintsAreHandedToTheHost)
{
    events.add(0, Message{Window::dialog, WM_PAINT, 0, 0, 0});
    events.add(0, key_down(Window::dialog, VK_ESCAPE));
    EXPECT_EQ(loop.run(), 0);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"paint dialog"}));
}

TEST_F(Loop, PostedMessagesComeBeforeInputAndInOrder)
{
    events.add(0, Message{Window::main, WM_MOUSEMOVE, 0, 0, 0});
    loop.post_message(Window::main, WM_KEYUP, 1, 0);
    loop.post_message(Window::main, WM_KEYUP, 2, 0);
    loop.post_message(Window::main, WM_DESTROY, 0, 0);
    loop.window_proc = [this](World&, Platform& platform, unsigned message, WPARAM wparam, LPARAM) -> LRESULT {
        log.add("window " + std::to_string(message) + " " + std::to_string(wparam));
        if (message == WM_MOUSEMOVE) platform.post_quit(5);
        return 0;
    };
    EXPECT_EQ(loop.run(), 5);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"window 257 1", "window 257 2", "window 2 0", "window 512 0"}));
}

// A box the platform cannot show (on X, without core fonts) or a run killed
// while it is up must not lose its message: the line is written first.
TEST_F(Loop, EveryMessageBoxIsOneLineOnTheLogBeforeTheBoxOpens)
{
    struct LogReadingHost : test::FakeHost {
        using FakeHost::FakeHost;
        std::FILE* log_file = nullptr;
        std::string log_when_opened;
        void message_box(const char* text, const char* caption) override
        {
            char buffer[256] = {};
            std::rewind(log_file);
            log_when_opened.assign(buffer, std::fread(buffer, 1, sizeof buffer - 1, log_file));
            FakeHost::message_box(text, caption);
        }
    };
    LogReadingHost box_host{log};
    box_host.log_file = std::tmpfile();
    ASSERT_NE(box_host.log_file, nullptr);
    MessageLoop box_loop{*world, dialog, display, accelerators, events, box_host};
    box_loop.message_log = box_host.log_file;

    box_loop.message_box("Unable to change resolution.", "Error");

    EXPECT_EQ(box_host.log_when_opened, "qmsim: Error: Unable to change resolution.\n");
    EXPECT_EQ(log.calls, (std::vector<std::string>{"box Error: Unable to change resolution."}));
    std::fclose(box_host.log_file);
}

}  // namespace
}  // namespace qm
