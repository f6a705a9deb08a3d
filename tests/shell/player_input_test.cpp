// Every device through the bindings: a held wheel, pad or touch button acts
// as the held key does, axes past their dead zone hold, an action stays on
// while any of its inputs is held, the help lists the device in use, and
// the controls screen rebinds, resets and saves, by keys or by touch.
#include "shell/player_input.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/controls/touch_buttons.h"
#include "shell/round_setup.h"
#include "shell/window_procedure.h"
#include "sim/practice.h"
#include "sim/world.h"

namespace qm {
namespace {

class RecordingPlatform final : public Platform {
public:
    int quits = 0;
    int changes = 0;
    std::vector<std::string> errors;
    void post_quit(int) override { ++quits; }
    void move_pointer_absolute(int, int) override {}
    LRESULT default_window_proc(unsigned, WPARAM, LPARAM) override { return 0; }
    void report_error(const char* line) override { errors.emplace_back(line); }
    void controls_changed() override { ++changes; }
};

class PlayerInput : public ::testing::Test {
public:
    std::unique_ptr<World> w = std::make_unique<World>();
    RecordingPlatform platform;

    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(set_up_round(*w, RoundSettings{}, error)) << error;
        arm_practice(*w);
        for (int i = 0; i < 200; ++i) tick();  // both units land; the aim is free
    }
    void send(unsigned message, WPARAM wparam = 0, LPARAM lparam = 0)
    {
        WindowProcedure(*w, platform, message, wparam, lparam);
    }
    void tick() { send(WM_TIMER, tick_timer_id); }
    void key(unsigned vk, bool down) { send(down ? WM_KEYDOWN : WM_KEYUP, vk); }
    void press(unsigned vk)
    {
        key(vk, true);
        key(vk, false);
    }
    void wheel(int turn) { send(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<std::uint16_t>(turn)) << 16); }
    void button(PadButton b, bool down) { send(WM_PAD_BUTTON, b, down ? 1 : 0); }
    void axis(PadAxis a, int value) { send(WM_PAD_AXIS, a, value); }
    void touch(Action action, bool down) { send(WM_ACTION, static_cast<WPARAM>(index_of(action)), down ? 1 : 0); }
};

// The angle and power a second world reaches with the held key over the
// same ticks.
struct Aim {
    double angle;
    double power;
};

TEST_F(PlayerInput, EveryDeviceMovesTheAimExactlyAsTheHeldKeyDoes)
{
    const World start = *w;
    constexpr int ticks = 37;
    const struct {
        const char* how;
        unsigned key;  // the key held in the world compared with
        std::function<void(PlayerInput&)> hold, release;
    } cases[] = {
        {"wheel notches away", VK_ADD, [](PlayerInput& t) { t.wheel(ticks * wheel_notch); }, [](PlayerInput&) {}},
        {"wheel in small turns", VK_SUBTRACT,
         [](PlayerInput& t) { for (int i = 0; i < ticks * 4; ++i) t.wheel(-wheel_notch / 4); }, [](PlayerInput&) {}},
        {"the right trigger", VK_ADD, [](PlayerInput& t) { t.axis(pad_right_trigger, 32767); },
         [](PlayerInput& t) { t.axis(pad_right_trigger, 0); }},
        {"the right stick down", VK_SUBTRACT, [](PlayerInput& t) { t.axis(pad_right_y, 20000); },
         [](PlayerInput& t) { t.axis(pad_right_y, 100); }},
        {"the d-pad", VK_UP, [](PlayerInput& t) { t.button(pad_dpad_up, true); },
         [](PlayerInput& t) { t.button(pad_dpad_up, false); }},
        {"the touch button", VK_DOWN, [](PlayerInput& t) { t.touch(Action::angle_down, true); },
         [](PlayerInput& t) { t.touch(Action::angle_down, false); }},
    };
    for (const auto& c : cases) {
        *w = start;
        auto keyed = std::make_unique<World>(start);
        RecordingPlatform keys;
        c.hold(*this);
        WindowProcedure(*keyed, keys, WM_KEYDOWN, c.key, 0);
        for (int i = 0; i < ticks; ++i) {
            tick();
            WindowProcedure(*keyed, keys, WM_TIMER, tick_timer_id, 0);
        }
        c.release(*this);
        WindowProcedure(*keyed, keys, WM_KEYUP, c.key, 0);
        for (int i = 0; i < 5; ++i) {
            tick();
            WindowProcedure(*keyed, keys, WM_TIMER, tick_timer_id, 0);
        }
        EXPECT_EQ(w->vang, keyed->vang) << c.how;
        EXPECT_EQ(w->v0, keyed->v0) << c.how;
        EXPECT_NE(w->vang + w->v0, start.vang + start.v0) << c.how;
    }
}

// A press let go before the next tick is one step, whatever the device and
// however short; a press the ticks see steps once a tick, as it always has.
TEST_F(PlayerInput, ATapIsOneStepAndAHoldOneATick)
{
    const World start = *w;
    const struct {
        const char* how;
        std::function<void(PlayerInput&)> down, up;
        int taps_per_tick;  // presses between two ticks
        int ticks_held;     // ticks each press is held across
        int rounds;
        double angle, power;  // the change made
    } cases[] = {
        {"ten key taps, one a tick", [](PlayerInput& t) { t.key(VK_UP, true); },
         [](PlayerInput& t) { t.key(VK_UP, false); }, 1, 0, 10, 10, 0},
        {"two key taps within one tick", [](PlayerInput& t) { t.key(VK_DOWN, true); },
         [](PlayerInput& t) { t.key(VK_DOWN, false); }, 2, 0, 3, -6, 0},
        {"a touch tap", [](PlayerInput& t) { t.touch(Action::power_up, true); },
         [](PlayerInput& t) { t.touch(Action::power_up, false); }, 1, 0, 1, 0, 0.01},
        {"a touch held repeats", [](PlayerInput& t) { t.touch(Action::power_down, true); },
         [](PlayerInput& t) { t.touch(Action::power_down, false); }, 1, 4, 1, 0, -0.04},
        {"a key held three ticks", [](PlayerInput& t) { t.key(VK_UP, true); },
         [](PlayerInput& t) { t.key(VK_UP, false); }, 1, 3, 2, 6, 0},
        {"a pad button tap", [](PlayerInput& t) { t.button(pad_dpad_up, true); },
         [](PlayerInput& t) { t.button(pad_dpad_up, false); }, 1, 0, 4, 4, 0},
    };
    for (const auto& c : cases) {
        *w = start;
        for (int r = 0; r < c.rounds; ++r) {
            for (int p = 0; p < c.taps_per_tick; ++p) {
                c.down(*this);
                for (int i = 0; i < c.ticks_held; ++i) tick();
                c.up(*this);
            }
            tick();
        }
        for (int i = 0; i < 10; ++i) tick();  // taps still waiting are spent
        EXPECT_DOUBLE_EQ(w->vang - start.vang, c.angle) << c.how;
        EXPECT_NEAR(w->v0 - start.v0, c.power, 1e-9) << c.how;
    }
}

TEST_F(PlayerInput, AnAxisHoldsOnlyPastItsDeadZone)
{
    const struct {
        int value;
        int pow_up;
        int pow_down;
    } steps[] = {{-pad_dead_zone, 0, 0}, {-pad_dead_zone - 1, 1, 0}, {0, 0, 0}, {pad_dead_zone, 0, 0},
                 {pad_dead_zone + 1, 0, 1}, {32767, 0, 1}, {-32768, 1, 0}, {0, 0, 0}};
    for (const auto& s : steps) {
        axis(pad_right_y, s.value);
        EXPECT_EQ(w->pow_up, s.pow_up) << s.value;
        EXPECT_EQ(w->pow_down, s.pow_down) << s.value;
    }
}

TEST_F(PlayerInput, AHeldActionStaysOnWhileAnyOfItsInputsIsHeld)
{
    key(VK_ADD, true);
    axis(pad_right_trigger, 30000);
    key(VK_ADD, false);
    EXPECT_EQ(w->pow_up, 1);
    touch(Action::power_up, true);
    axis(pad_right_trigger, 0);
    EXPECT_EQ(w->pow_up, 1);
    touch(Action::power_up, false);
    EXPECT_EQ(w->pow_up, 0);
}

TEST_F(PlayerInput, PadButtonsAndTouchButtonsDoWhatTheirKeysDo)
{
    button(pad_left_shoulder, true);
    button(pad_left_shoulder, false);
    EXPECT_EQ(w->direction, -1);
    touch(Action::face_right, true);
    EXPECT_EQ(w->direction, 1);
    button(pad_y, true);
    EXPECT_TRUE(w->practice.trace_shown);
    touch(Action::score, true);
    EXPECT_TRUE(w->practice.score_shown);
    button(pad_start, true);
    EXPECT_TRUE(w->practice.paused);
    // Paused: only pause and quit are heeded, from any device.
    button(pad_a, true);
    touch(Action::fire, true);
    EXPECT_EQ(w->fire_now, 0);
    button(pad_start, true);
    button(pad_a, true);
    EXPECT_EQ(w->fire_now, 1);
    touch(Action::quit, true);
    EXPECT_EQ(platform.quits, 1);
}

TEST_F(PlayerInput, RebindingMakesAnotherInputDoTheAction)
{
    platform.controls.file.bindings.of(Action::power_up).add(Input::key(VK_PRIOR));
    press(VK_PRIOR);
    key(VK_PRIOR, true);
    EXPECT_EQ(w->pow_up, 1);
    key(VK_PRIOR, false);
    platform.controls.file.bindings.of(Action::fire) = ActionInputs{};
    press(VK_F);
    EXPECT_EQ(w->fire_now, 0);
}

TEST_F(PlayerInput, TheHelpListsTheBindingsOfTheDeviceInUse)
{
    press(VK_F1);
    ASSERT_TRUE(w->help.open);
    EXPECT_EQ(std::string(w->help.lines[0]), "Help - keyboard and mouse (F1 or Escape closes)");
    bool wheel_listed = false;
    for (int i = 0; i < w->help.count; ++i) wheel_listed |= std::string(w->help.lines[i]).find("NumpadAdd WheelUp") != std::string::npos;
    EXPECT_TRUE(wheel_listed);
    EXPECT_TRUE(overlay_owns_key(*w, WM_KEYDOWN, VK_ESCAPE));
    press(VK_ESCAPE);
    EXPECT_FALSE(w->help.open);
    EXPECT_EQ(platform.quits, 0);
    // The pad used last, the help lists its buttons; F1 itself is no use of the keyboard.
    button(pad_x, true);
    button(pad_x, false);
    press(VK_F1);
    EXPECT_EQ(std::string(w->help.lines[0]), "Help - game pad (PadB closes)");
    button(pad_b, true);
    EXPECT_FALSE(w->help.open);
    EXPECT_FALSE(w->practice.score_shown);
    touch(Action::help, true);
    EXPECT_EQ(std::string(w->help.lines[0]), "Help - the buttons around the frame (? closes)");
    touch(Action::help, true);
    EXPECT_FALSE(w->help.open);
}

class ControlsScreenInput : public PlayerInput {
protected:
    std::string file = testing::TempDir() + "qm_controls_screen/controls.conf";

    void SetUp() override
    {
        PlayerInput::SetUp();
        std::filesystem::remove_all(testing::TempDir() + "qm_controls_screen");
        platform.controls.file.path = file;
    }
    // Down to the row of an action.
    void choose(Action action)
    {
        while (w->controls_screen.selected != index_of(action)) press(VK_DOWN);
    }
};

TEST_F(ControlsScreenInput, EnterThenAnInputRebindsAndSaves)
{
    key(VK_ADD, true);
    press(VK_K);
    ASSERT_TRUE(w->controls_screen.open);
    EXPECT_EQ(w->pow_up, 0);  // what was held is let go
    EXPECT_TRUE(overlay_owns_key(*w, WM_KEYDOWN, VK_RETURN));
    const double angle = w->vang;
    choose(Action::fire);
    EXPECT_EQ(w->vang, angle);  // Up and Down move the rows, not the aim
    press(VK_RETURN);
    EXPECT_TRUE(w->controls_screen.capturing);
    press(VK_SPACE);
    EXPECT_FALSE(w->controls_screen.capturing);
    EXPECT_EQ(std::string(w->controls_screen.inputs[index_of(Action::fire)]), "KeyF PadA Space");
    EXPECT_EQ(std::string(w->controls_screen.note), "fire: Space added; saved");
    ControlsFile saved;
    std::string error;
    ASSERT_TRUE(read_controls_file(file, saved, error)) << error;
    EXPECT_TRUE(saved.bindings == platform.controls.file.bindings);
    press(VK_ESCAPE);
    EXPECT_FALSE(w->controls_screen.open);
    EXPECT_EQ(platform.quits, 0);
    press(VK_SPACE);
    EXPECT_EQ(w->fire_now, 1);
}

TEST_F(ControlsScreenInput, AnInputTakenFromAnotherActionLeavesItAndBackspaceResets)
{
    press(VK_K);
    choose(Action::fire);
    press(VK_RETURN);
    button(pad_x, true);  // the prediction's
    EXPECT_EQ(std::string(w->controls_screen.note), "fire: PadX added (taken from prediction); saved");
    EXPECT_EQ(bound_action(platform.controls.bindings(), Input::pad_button(pad_x), false), Action::fire);
    EXPECT_EQ(std::string(w->controls_screen.inputs[index_of(Action::fire)]), "KeyF PadA PadX");
    press(VK_BACK);
    EXPECT_EQ(std::string(w->controls_screen.inputs[index_of(Action::fire)]), "KeyF PadA");
    // Esc while waiting keeps the binding; Escape is never bound to fire.
    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_TRUE(w->controls_screen.open);
    EXPECT_EQ(std::string(w->controls_screen.inputs[index_of(Action::fire)]), "KeyF PadA");
}

TEST_F(ControlsScreenInput, TheTouchButtonsMoveChooseAndCloseTheScreen)
{
    touch(Action::controls, true);
    ASSERT_TRUE(w->controls_screen.open);
    EXPECT_EQ(touch_screen_shown(*w), TouchScreen::controls);
    const std::string second = w->controls_screen.inputs[1];
    const struct {
        Action button;
        int selected;
        bool capturing;
        bool open;
    } steps[] = {
        {Action::menu_down, 1, false, true},  {Action::menu_down, 2, false, true}, {Action::menu_up, 1, false, true},
        {Action::menu_enter, 1, true, true},  {Action::fire, 1, true, true},       // no input of its own to bind
        {Action::menu_back, 1, false, true},  {Action::menu_back, 1, false, false},
    };
    for (const auto& step : steps) {
        touch(step.button, true);
        touch(step.button, false);
        EXPECT_EQ(w->controls_screen.selected, step.selected) << action_info(step.button).name;
        EXPECT_EQ(w->controls_screen.capturing, step.capturing) << action_info(step.button).name;
        EXPECT_EQ(w->controls_screen.open, step.open) << action_info(step.button).name;
    }
    EXPECT_EQ(std::string(w->controls_screen.inputs[1]), second);  // kept as it was
    EXPECT_EQ(touch_screen_shown(*w), TouchScreen::play);
    EXPECT_EQ(platform.quits, 0);
    touch(Action::controls, true);
    touch(Action::quit, true);
    EXPECT_EQ(platform.quits, 1);
}

TEST_F(ControlsScreenInput, ItsTitleNamesTheButtonsOfTheDeviceInUse)
{
    const struct {
        std::function<void(PlayerInput&)> open;
        const char* title;
    } cases[] = {
        {[](PlayerInput& t) { t.press(VK_K); }, "Controls - Up/Down, Enter adds an input, Delete removes one, Backspace: default, Esc closes"},
        {[](PlayerInput& t) { t.touch(Action::controls, true); },
         "Controls - tap Up/Down, Change adds an input, Back closes"},
    };
    for (const auto& c : cases) {
        c.open(*this);
        tick();
        EXPECT_EQ(overlay_lines(w->overlay_text).substr(0, std::string(c.title).size()), c.title);
        press(VK_ESCAPE);
    }
}

TEST_F(ControlsScreenInput, AFileThatCannotBeWrittenSaysWhyAndTheChangeHolds)
{
    std::filesystem::create_directories(file);  // a folder where the file goes
    press(VK_K);
    choose(Action::fire);
    press(VK_RETURN);
    wheel(wheel_notch);
    const std::string note = w->controls_screen.note;
    EXPECT_EQ(note.rfind("fire: WheelUp added (taken from power-up); for this run only: cannot write", 0), 0u) << note;
    ASSERT_EQ(platform.errors.size(), 1u);
    press(VK_K);
    EXPECT_FALSE(w->controls_screen.open);
    wheel(wheel_notch);
    EXPECT_EQ(w->fire_now, 1);
}

// Enter adds the next input to the chosen action's and Delete takes one
// away; the table kept always makes a file the program reads back.
TEST_F(ControlsScreenInput, EnterAddsAnInputAndDeleteTakesOneAway)
{
    const Input wheel_up_input = Input::wheel(wheel_up);
    const struct {
        const char* what;
        Action action;
        unsigned how;  // VK_RETURN adds, VK_DELETE takes away
        std::vector<Input> inputs;
        const char* note;
        Input kept;  // the chosen action has it afterwards
        Input gone;  // and not this one
    } cases[] = {
        {"Page Up joins the wheel", Action::power_up, VK_RETURN, {Input::key(VK_PRIOR)},
         "power-up: PageUp added; saved", wheel_up_input, Input{}},
        {"the wheel taken away", Action::power_up, VK_DELETE, {wheel_up_input}, "power-up: WheelUp taken away; saved",
         Input::key(VK_ADD), wheel_up_input},
        {"an input it lacks", Action::power_up, VK_DELETE, {Input::key(VK_F)}, "power-up has no KeyF",
         wheel_up_input, Input::key(VK_F)},
        {"its only input", Action::chart, VK_DELETE, {Input::key(VK_G)},
         "chart keeps its only input: add another first", Input::key(VK_G), Input{}},
        {"another's only input", Action::fire, VK_RETURN, {Input::key(VK_G)},
         "KeyG is chart's only input: give chart another first", Input::key(VK_F), Input::key(VK_G)},
        {"a ninth input", Action::power_up, VK_RETURN, {Input::key('Q'), Input::key('W'), Input::key('Y')},
         "power-up has 8 inputs, the most: Delete takes one away", Input::key('W'), Input::key('Y')},
        {"Esc adds nothing", Action::fire, VK_RETURN, {Input::key(VK_ESCAPE)}, "", Input::key(VK_F),
         Input::key(VK_ESCAPE)},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(testing::TempDir() + "qm_controls_screen");
        platform.controls.file = ControlsFile{};
        platform.controls.file.path = file;
        w->controls_screen = ControlsScreen{};
        press(VK_K);
        choose(c.action);
        for (const Input input : c.inputs) {
            press(c.how);
            if (input.kind == InputKind::wheel) {
                wheel(wheel_notch);
            } else {
                press(input.code);
            }
        }
        EXPECT_FALSE(w->controls_screen.capturing || w->controls_screen.removing) << c.what;
        EXPECT_EQ(std::string(w->controls_screen.note), c.note) << c.what;
        const ActionInputs& inputs = platform.controls.bindings().of(c.action);
        EXPECT_TRUE(inputs.has(c.kept)) << c.what;
        if (c.gone.kind != InputKind::none) {
            EXPECT_FALSE(inputs.has(c.gone)) << c.what;
        }
        EXPECT_EQ(std::string(w->controls_screen.inputs[index_of(c.action)]), inputs_text(inputs)) << c.what;
        ControlsFile saved;
        std::string error;
        EXPECT_TRUE(!std::filesystem::exists(file) || read_controls_file(file, saved, error)) << c.what << ": " << error;
    }
}

// Backspace never takes another action's only input back for the preset:
// that action would be left with none, which no file may say.
TEST_F(ControlsScreenInput, BackspaceKeepsAnotherActionsOnlyInput)
{
    press(VK_K);
    choose(Action::chart);
    press(VK_RETURN);
    press(VK_F);  // taken from fire, which keeps PadA
    press(VK_DELETE);
    press(VK_G);
    EXPECT_EQ(std::string(w->controls_screen.note), "chart: KeyG taken away; saved");
    choose(Action::fire);
    press(VK_BACK);
    EXPECT_EQ(std::string(w->controls_screen.note), "KeyF is chart's only input: give chart another first");
    EXPECT_EQ(bound_action(platform.controls.bindings(), Input::key(VK_F), false), Action::chart);
    ControlsFile saved;
    std::string error;
    EXPECT_TRUE(read_controls_file(file, saved, error)) << error;
}

// The last row names the preset; Enter there switches to the other one,
// every action as it has them, and the file keeps the choice.
TEST_F(ControlsScreenInput, ThePresetsRowSwitchesBetweenClassicAndLaptop)
{
    press(VK_K);
    press(VK_UP);  // from the first row up to the last
    const int row = w->controls_screen.selected;
    EXPECT_EQ(std::string(w->controls_screen.names[row]), "preset");
    EXPECT_EQ(std::string(w->controls_screen.inputs[row]), "laptop (Enter: classic)");
    press(VK_BACK);  // nothing to put back on this row
    press(VK_DELETE);
    EXPECT_FALSE(w->controls_screen.removing);
    const struct {
        Preset preset;
        const char* row_text;
        Action page_up;
    } steps[] = {
        {Preset::classic, "classic (Enter: laptop)", Action::none},
        {Preset::laptop, "laptop (Enter: classic)", Action::power_up},
    };
    for (const auto& step : steps) {
        press(VK_RETURN);
        EXPECT_FALSE(w->controls_screen.capturing);
        EXPECT_EQ(std::string(w->controls_screen.inputs[row]), step.row_text);
        EXPECT_EQ(bound_action(platform.controls.bindings(), Input::key(VK_PRIOR), false), step.page_up);
        ControlsFile saved;
        std::string error;
        ASSERT_TRUE(read_controls_file(file, saved, error)) << error;
        EXPECT_EQ(saved.preset, step.preset);
        EXPECT_TRUE(saved.bindings == preset_bindings(step.preset));
    }
}

}  // namespace
}  // namespace qm
