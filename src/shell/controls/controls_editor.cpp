// Rebinding on the controls screen: inputs added and taken away, the
// preset's put back or the other preset chosen.
#include "shell/controls/controls_editor.h"

#include <cstdio>
#include <string>

#include "shell/platform.h"

namespace qm {

namespace {

// Another action of the context whose only input this is, or Action::none:
// taking it would leave that action with none, which no file may say.
Action sole_owner(const Bindings& bindings, Action action, Input input)
{
    for (int i = 0; i < action_count; ++i) {
        const Action other = action_at(i);
        if (other == action || action_info(other).menu != action_info(action).menu) continue;
        const ActionInputs& inputs = bindings.of(other);
        if (inputs.count == 1 && inputs.has(input)) return other;
    }
    return Action::none;
}

// The input leaves every other action of the context it is bound in; the
// note names the one it left.
void take_from_others(Bindings& bindings, Action action, Input input, std::string& note)
{
    for (int i = 0; i < action_count; ++i) {
        const Action other = action_at(i);
        if (other == action || action_info(other).menu != action_info(action).menu) continue;
        if (!bindings.of(other).has(input)) continue;
        bindings.of(other).remove(input);
        note += " (taken from " + std::string(action_info(other).name) + ")";
    }
}

// True, with the note saying why, when the input is another action's only
// one, which it cannot be taken from.
bool refuse_sole(const Bindings& bindings, Action action, Input input, std::string& note)
{
    const Action owner = sole_owner(bindings, action, input);
    if (owner == Action::none) return false;
    const std::string owner_name(action_info(owner).name);
    note = input_name(input) + " is " + owner_name + "'s only input: give " + owner_name + " another first";
    return true;
}

// The preset's row follows the actions'.
constexpr int preset_row = action_count;
static_assert(preset_row < controls_screen_rows, "the screen has a row for every action and the preset");

Preset other_preset(Preset preset) { return preset == Preset::classic ? Preset::laptop : Preset::classic; }

}  // namespace

Action row_action(int row) { return row < action_count ? action_at(row) : Action::none; }

void open_controls_screen(ControlsScreen& screen, const Controls& controls)
{
    screen = ControlsScreen{};
    screen.open = true;
    screen.count = preset_row + 1;
    for (int i = 0; i < action_count; ++i) {
        std::snprintf(screen.names[i], sizeof screen.names[i], "%s", std::string(action_info(row_action(i)).name).c_str());
    }
    std::snprintf(screen.names[preset_row], sizeof screen.names[preset_row], "preset");
    refresh_controls_screen(screen, controls, "");
}

void refresh_controls_screen(ControlsScreen& screen, const Controls& controls, const std::string& note)
{
    for (int i = 0; i < action_count; ++i) {
        std::snprintf(screen.inputs[i], sizeof screen.inputs[i], "%s",
                      inputs_text(controls.bindings().of(row_action(i))).c_str());
    }
    const Preset preset = controls.file.preset;
    std::snprintf(screen.inputs[preset_row], sizeof screen.inputs[preset_row], "%s (Enter: %s)",
                  std::string(preset_name(preset)).c_str(), std::string(preset_name(other_preset(preset))).c_str());
    std::snprintf(screen.note, sizeof screen.note, "%s", note.c_str());
}

bool rebind(ControlsFile& file, Action action, Input input, std::string& note)
{
    if (input == Input::key(VK_ESCAPE) && action != Action::quit && action != Action::menu_back) {
        note = "Escape can only quit or close a menu";
        return false;
    }
    const std::string name(action_info(action).name);
    if (refuse_sole(file.bindings, action, input, note)) return false;
    if (!file.bindings.of(action).add(input)) {
        note = name + " has " + std::to_string(max_action_inputs) + " inputs, the most: Delete takes one away";
        return false;
    }
    note = name + ": " + input_name(input) + " added";
    take_from_others(file.bindings, action, input, note);
    return true;
}

bool unbind(ControlsFile& file, Action action, Input input, std::string& note)
{
    ActionInputs& inputs = file.bindings.of(action);
    const std::string name(action_info(action).name);
    if (!inputs.has(input)) {
        note = name + " has no " + input_name(input);
        return false;
    }
    if (inputs.count == 1) {
        note = name + " keeps its only input: add another first";
        return false;
    }
    inputs.remove(input);
    note = name + ": " + input_name(input) + " taken away";
    return true;
}

void switch_preset(ControlsFile& file, std::string& note)
{
    file.preset = other_preset(file.preset);
    file.bindings = preset_bindings(file.preset);
    note = "preset " + std::string(preset_name(file.preset)) + ": every action as it has them";
}

bool reset_binding(ControlsFile& file, Action action, std::string& note)
{
    const ActionInputs preset = preset_bindings(file.preset).of(action);
    for (int i = 0; i < preset.count; ++i) {
        const Input input = preset.inputs[static_cast<std::size_t>(i)];
        if (refuse_sole(file.bindings, action, input, note)) return false;
    }
    file.bindings.of(action) = preset;
    note = std::string(action_info(action).name) + ": back to " + inputs_text(preset);
    for (int i = 0; i < preset.count; ++i) {
        take_from_others(file.bindings, action, preset.inputs[static_cast<std::size_t>(i)], note);
    }
    return true;
}

}  // namespace qm
