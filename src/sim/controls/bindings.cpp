// The presets and the rules of a bindings table.
#include "sim/controls/bindings.h"

#include <algorithm>
#include <initializer_list>

#include "sim/controls/keys.h"

namespace qm {

namespace {

struct Default {
    Action action;
    std::initializer_list<Input> inputs;
};

// The keys of the desktop program from its first day, then the wheel and a
// pad's layout; the main keyboard's plus and minus do nothing here.
const Default classic[] = {
    {Action::angle_up, {Input::key(VK_UP), Input::pad_button(pad_dpad_up)}},
    {Action::angle_down, {Input::key(VK_DOWN), Input::pad_button(pad_dpad_down)}},
    {Action::power_up,
     {Input::key(VK_ADD), Input::wheel(wheel_up), Input::pad_axis(pad_right_trigger, true),
      Input::pad_axis(pad_right_y, false)}},
    {Action::power_down,
     {Input::key(VK_SUBTRACT), Input::wheel(wheel_down), Input::pad_axis(pad_left_trigger, true),
      Input::pad_axis(pad_right_y, true)}},
    {Action::face_left, {Input::key(VK_LEFT), Input::pad_button(pad_left_shoulder)}},
    {Action::face_right, {Input::key(VK_RIGHT), Input::pad_button(pad_right_shoulder)}},
    {Action::fire, {Input::key(VK_F), Input::pad_button(pad_a)}},
    {Action::quit, {Input::key(VK_C), Input::key(VK_ESCAPE)}},
    {Action::trace, {Input::key(VK_T), Input::pad_button(pad_y)}},
    {Action::prediction, {Input::key(VK_H), Input::pad_button(pad_x)}},
    {Action::chart, {Input::key(VK_G)}},
    {Action::recall, {Input::key(VK_U)}},
    {Action::replay, {Input::key(VK_R)}},
    {Action::score, {Input::key(VK_S), Input::pad_button(pad_b)}},
    {Action::pause, {Input::key(VK_P), Input::pad_button(pad_start)}},
    {Action::screenshot, {Input::key(VK_F12)}},
    {Action::drills, {Input::key(VK_D), Input::pad_button(pad_back)}},
    {Action::help, {Input::key(VK_F1)}},
    {Action::controls, {Input::key(VK_K)}},
    {Action::menu_up, {Input::key(VK_UP), Input::pad_button(pad_dpad_up)}},
    {Action::menu_down, {Input::key(VK_DOWN), Input::pad_button(pad_dpad_down)}},
    {Action::menu_enter, {Input::key(VK_RETURN), Input::pad_button(pad_a)}},
    {Action::menu_back, {Input::key(VK_ESCAPE), Input::pad_button(pad_b)}},
    {Action::copy_code, {Input::key(VK_Y)}},
};

// A keyboard without a keypad: Page Up and Page Down, and the main
// keyboard's plus and minus, change the power too.
const Default laptop_extra[] = {
    {Action::power_up, {Input::key(VK_PRIOR), Input::key(VK_OEM_PLUS)}},
    {Action::power_down, {Input::key(VK_NEXT), Input::key(VK_OEM_MINUS)}},
};

constexpr std::string_view preset_names[] = {"classic", "laptop"};

void add_all(Bindings& bindings, std::initializer_list<Input> inputs, Action action)
{
    for (Input input : inputs) bindings.of(action).add(input);
}

}  // namespace

bool ActionInputs::has(Input input) const
{
    return std::find(inputs.begin(), inputs.begin() + count, input) != inputs.begin() + count;
}

bool ActionInputs::add(Input input)
{
    if (has(input)) return true;
    if (count == max_action_inputs) return false;
    inputs[static_cast<std::size_t>(count++)] = input;
    return true;
}

void ActionInputs::remove(Input input)
{
    auto end = inputs.begin() + count;
    auto kept = std::remove(inputs.begin(), end, input);
    count = static_cast<int>(kept - inputs.begin());
}

bool operator==(const ActionInputs& a, const ActionInputs& b)
{
    return a.count == b.count && std::equal(a.inputs.begin(), a.inputs.begin() + a.count, b.inputs.begin());
}

Bindings preset_bindings(Preset preset)
{
    Bindings bindings;
    for (const Default& d : classic) add_all(bindings, d.inputs, d.action);
    if (preset == Preset::laptop) {
        for (const Default& d : laptop_extra) add_all(bindings, d.inputs, d.action);
    }
    return bindings;
}

std::string_view preset_name(Preset preset) { return preset_names[static_cast<int>(preset)]; }

bool find_preset(std::string_view name, Preset& preset)
{
    for (int i = 0; i < static_cast<int>(std::size(preset_names)); ++i) {
        if (preset_names[i] == name) {
            preset = static_cast<Preset>(i);
            return true;
        }
    }
    return false;
}

std::string preset_list() { return std::string(preset_names[0]) + " or " + std::string(preset_names[1]); }

Action bound_action(const Bindings& bindings, Input input, bool menu)
{
    for (int i = 0; i < action_count; ++i) {
        const Action action = action_at(i);
        if (action_info(action).menu == menu && bindings.of(action).has(input)) return action;
    }
    return Action::none;
}

bool find_clash(const Bindings& bindings, Clash& clash)
{
    for (int i = 0; i < action_count; ++i) {
        const ActionInputs& first = bindings.actions[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < action_count; ++j) {
            if (action_info(action_at(i)).menu != action_info(action_at(j)).menu) continue;
            const ActionInputs& second = bindings.actions[static_cast<std::size_t>(j)];
            for (int k = 0; k < first.count; ++k) {
                if (!second.has(first.inputs[static_cast<std::size_t>(k)])) continue;
                clash = Clash{action_at(i), action_at(j), first.inputs[static_cast<std::size_t>(k)]};
                return true;
            }
        }
    }
    return false;
}

Action escape_misbound(const Bindings& bindings)
{
    for (int i = 0; i < action_count; ++i) {
        const Action action = action_at(i);
        if (action == Action::quit || action == Action::menu_back) continue;
        if (bindings.of(action).has(Input::key(VK_ESCAPE))) return action;
    }
    return Action::none;
}

std::string inputs_text(const ActionInputs& inputs)
{
    if (inputs.count == 0) return "-";
    std::string text;
    for (int i = 0; i < inputs.count; ++i) {
        if (i > 0) text += ' ';
        text += input_name(inputs.inputs[static_cast<std::size_t>(i)]);
    }
    return text;
}

}  // namespace qm
