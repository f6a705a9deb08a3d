// Rebinding on the controls screen.
#include "shell/controls/controls_editor.h"

#include <cstdio>

#include "shell/platform.h"

namespace qm {

namespace {

// Whether two inputs belong to one device's set of an action: a key and a
// wheel turn are the keyboard's, buttons and axes the pad's.
bool same_device(Input a, Input b) { return device_of(a) == device_of(b); }

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

}  // namespace

Action row_action(int row) { return action_at(row); }

void open_controls_screen(ControlsScreen& screen, const Controls& controls)
{
    screen = ControlsScreen{};
    screen.open = true;
    screen.count = action_count < controls_screen_rows ? action_count : controls_screen_rows;
    for (int i = 0; i < screen.count; ++i) {
        std::snprintf(screen.names[i], sizeof screen.names[i], "%s", std::string(action_info(row_action(i)).name).c_str());
    }
    refresh_controls_screen(screen, controls, "");
}

void refresh_controls_screen(ControlsScreen& screen, const Controls& controls, const std::string& note)
{
    for (int i = 0; i < screen.count; ++i) {
        std::snprintf(screen.inputs[i], sizeof screen.inputs[i], "%s",
                      inputs_text(controls.bindings().of(row_action(i))).c_str());
    }
    std::snprintf(screen.note, sizeof screen.note, "%s", note.c_str());
}

bool rebind(ControlsFile& file, Action action, Input input, std::string& note)
{
    if (input == Input::key(VK_ESCAPE) && action != Action::quit && action != Action::menu_back) {
        note = "Escape can only quit or close a menu";
        return false;
    }
    Bindings& bindings = file.bindings;
    ActionInputs& inputs = bindings.of(action);
    ActionInputs kept;
    for (int i = 0; i < inputs.count; ++i) {
        const Input old = inputs.inputs[static_cast<std::size_t>(i)];
        if (!same_device(old, input)) kept.add(old);
    }
    kept.add(input);
    inputs = kept;
    note = std::string(action_info(action).name) + ": " + input_name(input);
    take_from_others(bindings, action, input, note);
    return true;
}

void reset_binding(ControlsFile& file, Action action, std::string& note)
{
    const ActionInputs preset = preset_bindings(file.preset).of(action);
    file.bindings.of(action) = preset;
    note = std::string(action_info(action).name) + ": back to " + inputs_text(preset);
    for (int i = 0; i < preset.count; ++i) {
        take_from_others(file.bindings, action, preset.inputs[static_cast<std::size_t>(i)], note);
    }
}

}  // namespace qm
