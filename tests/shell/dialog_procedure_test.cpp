// The configuration dialog's procedure, driven directly over the control
// model with a recording desktop and a scripted display.
#include "shell/dialog/dialog_procedure.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "shell/dialog/resources.h"
#include "shell_fakes.h"
#include "terrain/bitmap_writer.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

using test::CallLog;
using test::FakeDesktop;
using test::FakeDisplay;

class DialogProcedure : public ::testing::Test {
protected:
    DialogProcedure()
    {
        std::string error;
        EXPECT_TRUE(parse_dialog_template(dialog_resource, dialog, error)) << error;
        // An 800 by 600 mode at 32 bits is there for the full-screen choice.
        display.modes = {{16, 640, 480}, {32, 800, 600}};
    }

    void add_map(const char* name)
    {
        std::strcpy(world->map_filename[world->map_count], name);
        ++world->map_count;
    }
    int send(unsigned message, WPARAM wparam = 0, LPARAM lparam = 0)
    {
        return DialgProc(context, message, wparam, lparam);
    }
    void click(int id)
    {
        send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), dialog.find(id)->handle);
    }
    void accelerator(unsigned command) { send(WM_COMMAND, MAKEWPARAM(command, NOTIFY_ACCELERATOR), 0); }
    // Hand every posted message to the procedure, as later loop passes do.
    void deliver_posted()
    {
        auto posted = desktop.posted;
        desktop.posted.clear();
        for (const auto& p : posted) send(p.message, p.wparam, p.lparam);
    }
    Control& control(int id) { return *dialog.find(id); }

    std::unique_ptr<World> world = std::make_unique<World>();
    Dialog dialog;
    CallLog log;
    FakeDesktop desktop{log};
    FakeDisplay display;
    DialogContext context{*world, dialog, desktop, display};
};

TEST_F(DialogProcedure, InitialisationSetsTheDefaults)
{
    add_map("hills.bmp");
    add_map("canyon.bmp");
    EXPECT_EQ(send(WM_INITDIALOG), 1);

    struct Expected {
        int id;
        bool checked;
        bool enabled;
    };
    const Expected buttons[] = {
        {IDC_STRETCH_FULLSCREEN, true, true}, {IDC_FULLSCREEN_32, false, true}, {IDC_FULLSCREEN_16, false, true},
        {IDC_WINDOWED, false, true},          {IDC_RANDOM_WIND, true, true},    {IDC_FIXED_WIND, false, true},
        {IDC_WIND_LIST, false, false},        {IDC_ANGLE_LIST, false, false},   {IDC_TURNS_LIST, false, true},
        {IDC_MAP_LIST, false, true},          {IDC_START, false, true},         {IDC_EXIT, false, true},
    };
    for (const Expected& e : buttons) {
        EXPECT_EQ(control(e.id).checked, e.checked) << e.id;
        EXPECT_EQ(control(e.id).enabled, e.enabled) << e.id;
    }

    EXPECT_EQ(control(IDC_MAP_LIST).items, (std::vector<std::string>{"Flat map", "hills.bmp", "canyon.bmp"}));
    EXPECT_EQ(control(IDC_MAP_LIST).selection, 0);

    const Control& wind = control(IDC_WIND_LIST);
    ASSERT_EQ(wind.items.size(), 26u);
    EXPECT_EQ(wind.items.front(), "0");
    EXPECT_EQ(wind.items.back(), "25");
    EXPECT_EQ(wind.selection, 0);

    const Control& angle = control(IDC_ANGLE_LIST);
    ASSERT_EQ(angle.items.size(), 360u);
    EXPECT_EQ(angle.items[270], "270");
    EXPECT_EQ(angle.items.back(), "359");
    EXPECT_EQ(angle.selection, 0);

    const Control& turns = control(IDC_TURNS_LIST);
    ASSERT_EQ(turns.items.size(), 20u);
    EXPECT_EQ(turns.items.front(), "1");
    EXPECT_EQ(turns.items.back(), "20");
    EXPECT_EQ(turns.items[static_cast<std::size_t>(turns.selection)], "3");

    // The status line shows what the terrain build writes.
    EXPECT_EQ(control(IDC_STATUS).live_text, world->prog_static);
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(DialogProcedure, EmptyCatalogueOffersOnlyTheFlatMap)
{
    send(WM_INITDIALOG);
    EXPECT_EQ(control(IDC_MAP_LIST).items, (std::vector<std::string>{"Flat map"}));
}

TEST_F(DialogProcedure, StartWithoutChangesRunsTheFlatMapStretchedWithRandomWind)
{
    send(WM_INITDIALOG);
    click(IDC_START);

    EXPECT_EQ(world->flat_map, 1);
    EXPECT_EQ(world->stretch, 1);
    EXPECT_EQ(world->random_wind, 1);
    EXPECT_EQ(world->wind_change_turn, 3);
    EXPECT_EQ(world->loaded, 1);
    EXPECT_EQ(world->loading, 0);
    EXPECT_EQ(world->memoria.width(), 800);  // the surfaces exist
    EXPECT_EQ(log.calls, (std::vector<std::string>{"hide dialog", "show main", "timer 1 16"}));
    EXPECT_EQ(display.window_moves, 0);
    EXPECT_TRUE(display.change_requests.empty());

    // Every choice is frozen for the rest of the run.
    for (int id : {IDC_STRETCH_FULLSCREEN, IDC_FULLSCREEN_32, IDC_FULLSCREEN_16, IDC_WINDOWED, IDC_RANDOM_WIND,
                   IDC_FIXED_WIND, IDC_MAP_LIST, IDC_WIND_LIST, IDC_ANGLE_LIST, IDC_TURNS_LIST, IDC_START, IDC_EXIT}) {
        EXPECT_FALSE(control(id).enabled) << id;
    }
}

TEST(DialogDisplayChoice, RadioButtonsAreExclusiveAndChooseTheMode)
{
    struct Case {
        int radio;
        int stretch;
        int window_moves;
        std::size_t changes;
    };
    const Case cases[] = {
        {IDC_STRETCH_FULLSCREEN, 1, 0, 0},
        {IDC_FULLSCREEN_32, 0, 1, 1},
        {IDC_FULLSCREEN_16, 0, 1, 1},
        {IDC_WINDOWED, 0, 1, 0},
    };
    for (const Case& c : cases) {
        auto world = std::make_unique<World>();
        Dialog dialog;
        std::string error;
        ASSERT_TRUE(parse_dialog_template(dialog_resource, dialog, error)) << error;
        CallLog log;
        FakeDesktop desktop{log};
        FakeDisplay display;
        display.modes = {{32, 800, 600}, {16, 800, 600}};
        DialogContext context{*world, dialog, desktop, display};
        auto click = [&](int id) {
            DialgProc(context, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), dialog.find(id)->handle);
        };

        DialgProc(context, WM_INITDIALOG, 0, 0);
        click(IDC_WINDOWED);
        click(c.radio);
        for (int id : {IDC_STRETCH_FULLSCREEN, IDC_FULLSCREEN_32, IDC_FULLSCREEN_16, IDC_WINDOWED}) {
            EXPECT_EQ(dialog.find(id)->checked, id == c.radio) << c.radio << " " << id;
        }
        click(IDC_START);
        EXPECT_EQ(world->stretch, c.stretch) << c.radio;
        EXPECT_EQ(display.window_moves, c.window_moves) << c.radio;
        ASSERT_EQ(display.change_requests.size(), c.changes) << c.radio;
        if (c.changes != 0) {
            EXPECT_EQ(display.change_requests[0].bits_per_pel, c.radio == IDC_FULLSCREEN_32 ? 32 : 16);
        }
    }
}

TEST_F(DialogProcedure, FixedWindTakesStrengthAndDirectionFromTheLists)
{
    send(WM_INITDIALOG);
    click(IDC_FIXED_WIND);
    EXPECT_FALSE(control(IDC_RANDOM_WIND).checked);
    EXPECT_TRUE(control(IDC_FIXED_WIND).checked);
    EXPECT_TRUE(control(IDC_WIND_LIST).enabled);
    EXPECT_TRUE(control(IDC_ANGLE_LIST).enabled);
    EXPECT_FALSE(control(IDC_TURNS_LIST).enabled);

    control(IDC_WIND_LIST).selection = 12;
    control(IDC_ANGLE_LIST).selection = 270;
    control(IDC_TURNS_LIST).selection = 9;  // not read with fixed wind
    click(IDC_START);

    EXPECT_EQ(world->random_wind, 0);
    EXPECT_EQ(world->wind, 12.0);
    EXPECT_EQ(world->wang, 270.0);
    EXPECT_EQ(world->wind_change_turn, 2);  // untouched
}

TEST_F(DialogProcedure, SwitchingBackToRandomWindRestoresItsLists)
{
    send(WM_INITDIALOG);
    click(IDC_FIXED_WIND);
    click(IDC_RANDOM_WIND);
    EXPECT_TRUE(control(IDC_RANDOM_WIND).checked);
    EXPECT_FALSE(control(IDC_FIXED_WIND).checked);
    EXPECT_FALSE(control(IDC_WIND_LIST).enabled);
    EXPECT_FALSE(control(IDC_ANGLE_LIST).enabled);
    EXPECT_TRUE(control(IDC_TURNS_LIST).enabled);

    control(IDC_WIND_LIST).selection = 7;
    control(IDC_TURNS_LIST).selection = 19;
    click(IDC_START);
    EXPECT_EQ(world->random_wind, 1);
    EXPECT_EQ(world->wind_change_turn, 20);
    EXPECT_EQ(world->wind, 0.0);  // left for the turn cycle
}

TEST_F(DialogProcedure, ThirdListEntryLoadsTheThirdCatalogueFileAndArmsTheBuild)
{
    // Three maps told apart by their widths; the list holds "Flat map" first.
    test::TempDir dir;
    const int widths[] = {800, 1600, 2400};
    for (int i = 0; i < 3; ++i) {
        std::string path = dir.file("map" + std::to_string(i) + ".bmp");
        ASSERT_TRUE(write_bitmap(path, MapPicture(widths[i], map_rows, map_terrain)));
        add_map(path.c_str());
    }
    send(WM_INITDIALOG);
    control(IDC_MAP_LIST).selection = 3;
    click(IDC_START);

    EXPECT_EQ(world->imagen_x, 2400);
    EXPECT_EQ(world->loading, 1);
    EXPECT_EQ(world->loaded, 0);
    EXPECT_EQ(world->flat_map, 0);
    EXPECT_EQ(world->memoria.width(), 800);
    // The loop shows the main window once the terrain is complete.
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(DialogProcedure, EnterClicksStartOnceAndIsIgnoredDuringLoading)
{
    add_map("a.bmp");
    send(WM_INITDIALOG);
    control(IDC_MAP_LIST).selection = 1;

    accelerator(CMD_START);
    ASSERT_EQ(desktop.posted.size(), 1u);
    // A simulated click: code 0, id 0, the Start button's window.
    EXPECT_EQ(desktop.posted[0].window, Window::dialog);
    EXPECT_EQ(desktop.posted[0].message, unsigned{WM_COMMAND});
    EXPECT_EQ(desktop.posted[0].wparam, WPARAM{0});
    EXPECT_EQ(desktop.posted[0].lparam, control(IDC_START).handle);
    EXPECT_EQ(world->loading, 0);  // nothing before the click is handled
    deliver_posted();
    EXPECT_EQ(world->loading, 1);

    world->lm_c = 123;  // the build under way
    accelerator(CMD_START);
    deliver_posted();
    EXPECT_EQ(world->loading, 1);
    EXPECT_EQ(world->lm_c, 123);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"post dialog", "post dialog"}));

    // The same once the simulator runs.
    world->loading = 0;
    world->loaded = 1;
    accelerator(CMD_START);
    deliver_posted();
    EXPECT_EQ(world->flat_map, 0);
    EXPECT_EQ(log.calls.size(), 3u);
}

TEST_F(DialogProcedure, EscapeEndsTheProgramInEveryState)
{
    struct State {
        const char* name;
        int loading;
        int loaded;
    };
    const State states[] = {{"configuring", 0, 0}, {"loading", 1, 0}, {"running", 0, 1}};
    for (const State& s : states) {
        log.calls.clear();
        send(WM_INITDIALOG);
        world->loading = s.loading;
        world->loaded = s.loaded;
        if (s.loading != 0 || s.loaded != 0) {
            // Start has disabled Exit by now; the simulated click still works.
            control(IDC_EXIT).enabled = false;
        }
        accelerator(CMD_EXIT);
        ASSERT_EQ(desktop.posted.size(), 1u) << s.name;
        EXPECT_EQ(desktop.posted[0].lparam, control(IDC_EXIT).handle) << s.name;
        deliver_posted();
        EXPECT_EQ(log.calls, (std::vector<std::string>{"post dialog", "quit 0"})) << s.name;
    }
}

TEST_F(DialogProcedure, ClosingTheDialogWindowActsAsEscape)
{
    send(WM_INITDIALOG);
    send(WM_CLOSE);
    deliver_posted();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"post dialog", "quit 0"}));
}

TEST_F(DialogProcedure, CommandsAreTiedToControlWindowsNotIds)
{
    send(WM_INITDIALOG);
    // A list's selection change carries code 1 like an accelerator, with the
    // list's id: nothing happens.
    send(WM_COMMAND, MAKEWPARAM(IDC_MAP_LIST, CBN_SELCHANGE), control(IDC_MAP_LIST).handle);
    // A click naming Exit's id without its window is no click of Exit.
    send(WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
    // Clicks on controls without an action do nothing either.
    send(WM_COMMAND, MAKEWPARAM(IDC_DISPLAY_GROUP, BN_CLICKED), control(IDC_DISPLAY_GROUP).handle);
    EXPECT_TRUE(log.calls.empty());
    EXPECT_TRUE(desktop.posted.empty());
}

// Quits with 1: a run that could not switch the display did not do what was
// asked, and must not report success.
TEST_F(DialogProcedure, FailedDisplaySwitchShowsTheMessageThenQuitsWithOneAfterStartingAnyway)
{
    display.modes = {{16, 640, 480}, {32, 1024, 768}};  // no 800 by 600 at 32 bits
    send(WM_INITDIALOG);
    click(IDC_FULLSCREEN_32);
    click(IDC_START);

    EXPECT_EQ(log.calls, (std::vector<std::string>{"hide dialog", "box Error: Unable to change resolution.",
                                                   "quit 1", "show main", "timer 1 16"}));
    EXPECT_TRUE(display.change_requests.empty());
    EXPECT_EQ(world->stretch, 0);
}

TEST(DialogControls, TheTemplateHoldsEveryControlTheProcedureUses)
{
    Dialog dialog;
    std::string error;
    ASSERT_TRUE(parse_dialog_template(dialog_resource, dialog, error)) << error;
    EXPECT_TRUE(check_dialog_controls(dialog, error)) << error;

    dialog.controls.erase(dialog.controls.begin() + 5);  // Start
    EXPECT_FALSE(check_dialog_controls(dialog, error));
    EXPECT_NE(error.find("1006"), std::string::npos) << error;
}

}  // namespace
}  // namespace qm
