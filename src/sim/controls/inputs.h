// The inputs a binding names: keys (by virtual-key code, named as the page's
// KeyboardEvent.code names the physical key), the mouse wheel's two turns,
// a game pad's buttons and the directions of its axes. One table of names
// serves the controls file, the help, the page and the runner.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace qm {

enum class InputKind : unsigned char { none, key, wheel, pad_button, pad_axis };

// A pad's buttons and axes, numbered as SDL's game controller numbers them;
// the page and XInput are translated to these.
enum PadButton : unsigned {
    pad_a, pad_b, pad_x, pad_y, pad_back, pad_guide, pad_start, pad_left_stick, pad_right_stick,
    pad_left_shoulder, pad_right_shoulder, pad_dpad_up, pad_dpad_down, pad_dpad_left, pad_dpad_right,
    pad_button_count
};
enum PadAxis : unsigned {
    pad_left_x, pad_left_y, pad_right_x, pad_right_y, pad_left_trigger, pad_right_trigger, pad_axis_count
};
// An axis acts as a held key once it is this far from rest (of 32767).
constexpr int pad_dead_zone = 8000;

enum WheelTurn : unsigned { wheel_up, wheel_down };

struct Input {
    InputKind kind = InputKind::none;
    // key: virtual-key code; wheel: WheelTurn; pad_button: PadButton;
    // pad_axis: the axis times 2, plus 1 for its positive direction.
    unsigned code = 0;

    static constexpr Input key(unsigned vk) { return {InputKind::key, vk}; }
    static constexpr Input wheel(WheelTurn turn) { return {InputKind::wheel, turn}; }
    static constexpr Input pad_button(PadButton button) { return {InputKind::pad_button, button}; }
    static constexpr Input pad_axis(PadAxis axis, bool positive)
    {
        return {InputKind::pad_axis, axis * 2u + (positive ? 1u : 0u)};
    }
    friend constexpr bool operator==(Input a, Input b) { return a.kind == b.kind && a.code == b.code; }
};

// The devices whose bindings the help lists apart (a key and the wheel are
// the keyboard's).
enum class Device : unsigned char { keyboard, pad, touch };
Device device_of(Input input);

struct KeyName {
    const char* name;  // "ArrowUp", "NumpadAdd", "KeyF", "PageUp"
    unsigned vk;
};
// Every key a binding can name; a code may have a second name after its
// first (NumpadEnter is Enter).
std::span<const KeyName> key_names();

// The input's name ("ArrowUp", "WheelDown", "PadA", "PadLeftStickUp");
// "?" for an input without one.
std::string input_name(Input input);
// The input of a name, letter case ignored; false when there is none.
bool find_input(std::string_view name, Input& input);

// The runner's names of a pad's buttons and axes (SDL's: "a", "dpup",
// "lefttrigger"); false when there is none.
bool find_pad_button(std::string_view name, PadButton& button);
bool find_pad_axis(std::string_view name, PadAxis& axis);
// The runner's names of a button and an axis.
const char* pad_button_name(PadButton button);
const char* pad_axis_name(PadAxis axis);
// The lists as a message gives them.
std::string pad_button_list();
std::string pad_axis_list();

}  // namespace qm
