// The bindings: the presets (the program's keys of old, unchanged), the
// action an input does in play and in a menu, the names of inputs, and the
// table's rules.
#include "sim/controls/bindings.h"

#include <gtest/gtest.h>

#include "sim/controls/keys.h"

namespace qm {
namespace {

TEST(Bindings, TheClassicPresetIsTheKeysOfOld)
{
    const Bindings classic = preset_bindings(Preset::classic);
    const struct {
        unsigned key;
        Action in_play;
        Action in_menu;
    } cases[] = {
        {VK_UP, Action::angle_up, Action::menu_up},        {VK_DOWN, Action::angle_down, Action::menu_down},
        {VK_ADD, Action::power_up, Action::none},          {VK_SUBTRACT, Action::power_down, Action::none},
        {VK_LEFT, Action::face_left, Action::none},        {VK_RIGHT, Action::face_right, Action::none},
        {VK_F, Action::fire, Action::none},                {VK_C, Action::quit, Action::none},
        {VK_ESCAPE, Action::quit, Action::menu_back},      {VK_T, Action::trace, Action::none},
        {VK_H, Action::prediction, Action::none},          {VK_G, Action::chart, Action::none},
        {VK_U, Action::recall, Action::none},              {VK_R, Action::replay, Action::none},
        {VK_S, Action::score, Action::none},               {VK_P, Action::pause, Action::none},
        {VK_F12, Action::screenshot, Action::none},        {VK_D, Action::drills, Action::none},
        {VK_RETURN, Action::none, Action::menu_enter},     {VK_F1, Action::help, Action::none},
        {VK_K, Action::controls, Action::none},
        // The main keyboard's plus and minus, and Page Up and Down, do nothing.
        {VK_OEM_PLUS, Action::none, Action::none},         {VK_OEM_MINUS, Action::none, Action::none},
        {VK_PRIOR, Action::none, Action::none},            {VK_NEXT, Action::none, Action::none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bound_action(classic, Input::key(c.key), false), c.in_play) << c.key;
        EXPECT_EQ(bound_action(classic, Input::key(c.key), true), c.in_menu) << c.key;
    }
}

TEST(Bindings, TheWheelAndAPadHaveTheirLayoutInBothPresets)
{
    const struct {
        Input input;
        Action in_play;
        Action in_menu;
    } cases[] = {
        {Input::wheel(wheel_up), Action::power_up, Action::none},
        {Input::wheel(wheel_down), Action::power_down, Action::none},
        {Input::pad_button(pad_dpad_up), Action::angle_up, Action::menu_up},
        {Input::pad_button(pad_dpad_down), Action::angle_down, Action::menu_down},
        {Input::pad_axis(pad_right_trigger, true), Action::power_up, Action::none},
        {Input::pad_axis(pad_left_trigger, true), Action::power_down, Action::none},
        {Input::pad_axis(pad_right_y, false), Action::power_up, Action::none},  // the right stick up
        {Input::pad_axis(pad_right_y, true), Action::power_down, Action::none},
        {Input::pad_button(pad_left_shoulder), Action::face_left, Action::none},
        {Input::pad_button(pad_right_shoulder), Action::face_right, Action::none},
        {Input::pad_button(pad_a), Action::fire, Action::menu_enter},
        {Input::pad_button(pad_x), Action::prediction, Action::none},
        {Input::pad_button(pad_y), Action::trace, Action::none},
        {Input::pad_button(pad_b), Action::score, Action::menu_back},
        {Input::pad_button(pad_start), Action::pause, Action::none},
        {Input::pad_button(pad_back), Action::drills, Action::none},
        {Input::pad_axis(pad_left_x, true), Action::none, Action::none},
    };
    for (const Preset preset : {Preset::classic, Preset::laptop}) {
        const Bindings bindings = preset_bindings(preset);
        for (const auto& c : cases) {
            EXPECT_EQ(bound_action(bindings, c.input, false), c.in_play) << input_name(c.input);
            EXPECT_EQ(bound_action(bindings, c.input, true), c.in_menu) << input_name(c.input);
        }
    }
}

TEST(Bindings, TheLaptopPresetAddsPowerKeysAKeyboardWithoutAKeypadHas)
{
    const Bindings laptop = preset_bindings(Preset::laptop);
    EXPECT_EQ(bound_action(laptop, Input::key(VK_PRIOR), false), Action::power_up);
    EXPECT_EQ(bound_action(laptop, Input::key(VK_OEM_PLUS), false), Action::power_up);
    EXPECT_EQ(bound_action(laptop, Input::key(VK_NEXT), false), Action::power_down);
    EXPECT_EQ(bound_action(laptop, Input::key(VK_OEM_MINUS), false), Action::power_down);
    EXPECT_EQ(bound_action(laptop, Input::key(VK_ADD), false), Action::power_up);
    Clash clash;
    EXPECT_FALSE(find_clash(laptop, clash));
    EXPECT_FALSE(find_clash(preset_bindings(Preset::classic), clash));
}

TEST(Bindings, EveryInputNameReadsBackToItsInput)
{
    std::vector<Input> inputs = {Input::wheel(wheel_up), Input::wheel(wheel_down)};
    for (const KeyName& key : key_names()) inputs.push_back(Input::key(key.vk));
    for (unsigned b = 0; b < pad_button_count; ++b) inputs.push_back(Input::pad_button(static_cast<PadButton>(b)));
    for (unsigned a = 0; a < pad_axis_count; ++a) {
        inputs.push_back(Input::pad_axis(static_cast<PadAxis>(a), true));
        if (a != pad_left_trigger && a != pad_right_trigger) inputs.push_back(Input::pad_axis(static_cast<PadAxis>(a), false));
    }
    for (const Input input : inputs) {
        Input read;
        ASSERT_TRUE(find_input(input_name(input), read)) << input_name(input);
        EXPECT_EQ(read, input) << input_name(input);
    }
    const struct {
        const char* name;
        Input input;
    } forms[] = {
        {"arrowup", Input::key(VK_UP)},       {"NUMPADADD", Input::key(VK_ADD)},
        {"NumpadEnter", Input::key(VK_RETURN)}, {"wheelup", Input::wheel(wheel_up)},
        {"pada", Input::pad_button(pad_a)},   {"PadRightTrigger", Input::pad_axis(pad_right_trigger, true)},
        {"PadLeftStickUp", Input::pad_axis(pad_left_y, false)},
    };
    for (const auto& f : forms) {
        Input read;
        ASSERT_TRUE(find_input(f.name, read)) << f.name;
        EXPECT_EQ(read, f.input) << f.name;
    }
    for (const char* unknown : {"", "Key", "Pad", "PadLeftTriggerUp", "F13", "Wheel", "ShiftLeft"}) {
        Input read;
        EXPECT_FALSE(find_input(unknown, read)) << unknown;
    }
    EXPECT_EQ(input_name(Input::pad_axis(pad_left_trigger, false)), "?");
    EXPECT_EQ(input_name(Input::key(0x07)), "?");
}

}  // namespace
}  // namespace qm
