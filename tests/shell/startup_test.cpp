// Start-up order around the message loop.
#include "shell/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "shell/dialog/resources.h"
#include "shell_fakes.h"

namespace qm {
namespace {

// The program's own dialog template and key table, fake platform parts and a
// loop over them; each test scripts the user's messages.
class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(parse_dialog_template(dialog_resource, dialog, error)) << error;
        ASSERT_TRUE(parse_accelerators(accelerator_resource, accelerators, error)) << error;
    }

    std::unique_ptr<World> world = std::make_unique<World>();
    Dialog dialog;
    AcceleratorTable accelerators;
    test::CallLog log;
    test::FakeDisplay display;
    test::FakeEvents events;
    test::FakeHost host{log};
    MessageLoop loop{*world, dialog, display, accelerators, events, host};
};

TEST_F(Startup, FillsTheTablesOpensTheDialogRunsAndRestoresTheDisplay)
{
    loop.window_proc = [&](World&, Platform&, unsigned, WPARAM, LPARAM) -> LRESULT {
        log.add("window");
        return 0;
    };
    // The dialog is up when the user presses Esc.
    events.add(0, Message{Window::dialog, WM_KEYDOWN, VK_ESCAPE, 0, 0});

    EXPECT_EQ(run_shell(*world, loop, display), 0);
    EXPECT_EQ(world->circle_samp[19][6].y, 19);
    EXPECT_EQ(dialog.find(IDC_MAP_LIST)->items.at(0), "Flat map");
    EXPECT_EQ(log.calls, (std::vector<std::string>{"show dialog"}));
    EXPECT_EQ(display.restores, 1);
}

TEST_F(Startup, AFailedDisplaySwitchShowsTheErrorOnStderrTooEndsWithOneAndRestoresTheDisplay)
{
    display.modes = {{16, 640, 480}, {32, 1024, 768}};  // no 800 by 600 at 32 bits
    loop.message_log = std::tmpfile();
    ASSERT_NE(loop.message_log, nullptr);
    // The user picks "800x600 32 bit Fullscreen" and presses Enter.
    events.add(0, Message{Window::dialog, WM_COMMAND, MAKEWPARAM(IDC_FULLSCREEN_32, BN_CLICKED),
                          dialog.find(IDC_FULLSCREEN_32)->handle, 0});
    events.add(0, Message{Window::dialog, WM_KEYDOWN, VK_RETURN, 0, 0});

    EXPECT_EQ(run_shell(*world, loop, display), 1);
    EXPECT_NE(std::find(log.calls.begin(), log.calls.end(), "box Error: Unable to change resolution."),
              log.calls.end());
    char line[128] = {};
    std::rewind(loop.message_log);
    EXPECT_EQ(std::string(line, std::fread(line, 1, sizeof line - 1, loop.message_log)),
              "qmsim: Error: Unable to change resolution.\n");
    std::fclose(loop.message_log);
    EXPECT_TRUE(display.change_requests.empty());
    EXPECT_EQ(display.restores, 1);
}

}  // namespace
}  // namespace qm
