// Which inputs do which action: the presets (classic is the keys the
// program always had, with the wheel and a pad; laptop adds power keys a
// keyboard without a keypad has), the action an input is bound to, and
// the rules a table must keep.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "sim/controls/actions.h"
#include "sim/controls/inputs.h"

namespace qm {

enum class Preset { classic, laptop };

constexpr int max_action_inputs = 8;

struct ActionInputs {
    std::array<Input, max_action_inputs> inputs{};
    int count = 0;

    bool has(Input input) const;
    // False when the action already has max_action_inputs.
    bool add(Input input);
    void remove(Input input);
    friend bool operator==(const ActionInputs& a, const ActionInputs& b);
};

struct Bindings {
    std::array<ActionInputs, action_count> actions{};

    ActionInputs& of(Action action) { return actions[static_cast<std::size_t>(index_of(action))]; }
    const ActionInputs& of(Action action) const { return actions[static_cast<std::size_t>(index_of(action))]; }
    friend bool operator==(const Bindings& a, const Bindings& b) { return a.actions == b.actions; }
};

Bindings preset_bindings(Preset preset);
std::string_view preset_name(Preset preset);
// False when there is no preset of that name.
bool find_preset(std::string_view name, Preset& preset);
// "classic or laptop".
std::string preset_list();

// The action an input does in play (menu false) or in a menu (menu true);
// Action::none when it does none there.
Action bound_action(const Bindings& bindings, Input input, bool menu);

// Two actions of one context that share an input.
struct Clash {
    Action first = Action::none;
    Action second = Action::none;
    Input input;
};
// False when no input does two things in play or two in a menu.
bool find_clash(const Bindings& bindings, Clash& clash);

// Escape always ends the program (it is the configuration dialog's Exit
// key), so it may only quit or close a menu. The action it is wrongly
// bound to, or Action::none.
Action escape_misbound(const Bindings& bindings);

// An action's inputs as the controls file and the help write them:
// "ArrowUp PadDpadUp"; "-" for none.
std::string inputs_text(const ActionInputs& inputs);

}  // namespace qm
