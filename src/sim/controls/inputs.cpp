// The names of keys, wheel turns and a pad's buttons and axes.
#include "sim/controls/inputs.h"

#include <array>
#include <cctype>

#include "sim/controls/keys.h"

namespace qm {

namespace {

constexpr KeyName named_keys[] = {
    {"ArrowUp", VK_UP}, {"ArrowDown", VK_DOWN}, {"ArrowLeft", VK_LEFT}, {"ArrowRight", VK_RIGHT},
    {"Enter", VK_RETURN}, {"NumpadEnter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Backspace", VK_BACK},
    {"Tab", VK_TAB}, {"Space", VK_SPACE}, {"PageUp", VK_PRIOR}, {"PageDown", VK_NEXT}, {"Home", VK_HOME},
    {"End", VK_END}, {"Insert", VK_INSERT}, {"Delete", VK_DELETE},
    {"NumpadAdd", VK_ADD}, {"NumpadSubtract", VK_SUBTRACT}, {"NumpadMultiply", VK_MULTIPLY},
    {"NumpadDivide", VK_DIVIDE}, {"NumpadDecimal", VK_DECIMAL},
    {"Numpad0", VK_NUMPAD0}, {"Numpad1", VK_NUMPAD0 + 1}, {"Numpad2", VK_NUMPAD0 + 2}, {"Numpad3", VK_NUMPAD0 + 3},
    {"Numpad4", VK_NUMPAD0 + 4}, {"Numpad5", VK_NUMPAD0 + 5}, {"Numpad6", VK_NUMPAD0 + 6},
    {"Numpad7", VK_NUMPAD0 + 7}, {"Numpad8", VK_NUMPAD0 + 8}, {"Numpad9", VK_NUMPAD0 + 9},
    {"Equal", VK_OEM_PLUS}, {"Minus", VK_OEM_MINUS}, {"Semicolon", VK_OEM_1}, {"Comma", VK_OEM_COMMA},
    {"Period", VK_OEM_PERIOD}, {"Slash", VK_OEM_2}, {"Backquote", VK_OEM_3}, {"BracketLeft", VK_OEM_4},
    {"Backslash", VK_OEM_5}, {"BracketRight", VK_OEM_6}, {"Quote", VK_OEM_7},
    {"F1", VK_F1}, {"F2", VK_F1 + 1}, {"F3", VK_F1 + 2}, {"F4", VK_F1 + 3}, {"F5", VK_F1 + 4}, {"F6", VK_F1 + 5},
    {"F7", VK_F1 + 6}, {"F8", VK_F1 + 7}, {"F9", VK_F1 + 8}, {"F10", VK_F1 + 9}, {"F11", VK_F1 + 10},
    {"F12", VK_F12},
    {"KeyA", 'A'}, {"KeyB", 'B'}, {"KeyC", 'C'}, {"KeyD", 'D'}, {"KeyE", 'E'}, {"KeyF", 'F'}, {"KeyG", 'G'},
    {"KeyH", 'H'}, {"KeyI", 'I'}, {"KeyJ", 'J'}, {"KeyK", 'K'}, {"KeyL", 'L'}, {"KeyM", 'M'}, {"KeyN", 'N'},
    {"KeyO", 'O'}, {"KeyP", 'P'}, {"KeyQ", 'Q'}, {"KeyR", 'R'}, {"KeyS", 'S'}, {"KeyT", 'T'}, {"KeyU", 'U'},
    {"KeyV", 'V'}, {"KeyW", 'W'}, {"KeyX", 'X'}, {"KeyY", 'Y'}, {"KeyZ", 'Z'},
    {"Digit0", '0'}, {"Digit1", '1'}, {"Digit2", '2'}, {"Digit3", '3'}, {"Digit4", '4'}, {"Digit5", '5'},
    {"Digit6", '6'}, {"Digit7", '7'}, {"Digit8", '8'}, {"Digit9", '9'},
};

struct PadName {
    const char* name;  // the controls file's, after "Pad"
    const char* sdl;   // the runner's: SDL's own
};

constexpr std::array<PadName, pad_button_count> buttons = {{
    {"A", "a"}, {"B", "b"}, {"X", "x"}, {"Y", "y"}, {"Back", "back"}, {"Guide", "guide"}, {"Start", "start"},
    {"LeftStick", "leftstick"}, {"RightStick", "rightstick"}, {"LeftShoulder", "leftshoulder"},
    {"RightShoulder", "rightshoulder"}, {"DpadUp", "dpup"}, {"DpadDown", "dpdown"}, {"DpadLeft", "dpleft"},
    {"DpadRight", "dpright"},
}};

constexpr std::array<const char*, pad_axis_count> axis_sdl_names = {"leftx",  "lefty",       "rightx",
                                                                    "righty", "lefttrigger", "righttrigger"};

// Each axis's two directions, negative first, as the controls file names
// them after "Pad"; a trigger rests at its negative end, which names nothing.
constexpr std::array<std::array<const char*, 2>, pad_axis_count> axis_directions = {{
    {"LeftStickLeft", "LeftStickRight"},
    {"LeftStickUp", "LeftStickDown"},
    {"RightStickLeft", "RightStickRight"},
    {"RightStickUp", "RightStickDown"},
    {nullptr, "LeftTrigger"},
    {nullptr, "RightTrigger"},
}};

constexpr std::string_view pad_prefix = "Pad";

bool same_letters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool find_pad_input(std::string_view name, Input& input)
{
    for (unsigned b = 0; b < pad_button_count; ++b) {
        if (same_letters(name, buttons[b].name)) {
            input = Input::pad_button(static_cast<PadButton>(b));
            return true;
        }
    }
    for (unsigned a = 0; a < pad_axis_count; ++a) {
        for (unsigned side = 0; side < 2; ++side) {
            const char* direction = axis_directions[a][side];
            if (direction == nullptr || !same_letters(name, direction)) continue;
            input = Input::pad_axis(static_cast<PadAxis>(a), side == 1);
            return true;
        }
    }
    return false;
}

template <std::size_t N>
std::string listed(const std::array<const char*, N>& names)
{
    std::string list;
    for (const char* name : names) list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

}  // namespace

Device device_of(Input input)
{
    return input.kind == InputKind::pad_button || input.kind == InputKind::pad_axis ? Device::pad : Device::keyboard;
}

std::span<const KeyName> key_names() { return named_keys; }

std::string input_name(Input input)
{
    switch (input.kind) {
    case InputKind::key:
        for (const KeyName& key : named_keys) {
            if (key.vk == input.code) return key.name;
        }
        break;
    case InputKind::wheel:
        if (input.code == wheel_up) return "WheelUp";
        if (input.code == wheel_down) return "WheelDown";
        break;
    case InputKind::pad_button:
        if (input.code < pad_button_count) return std::string(pad_prefix) + buttons[input.code].name;
        break;
    case InputKind::pad_axis:
        if (input.code < pad_axis_count * 2 && axis_directions[input.code / 2][input.code % 2] != nullptr) {
            return std::string(pad_prefix) + axis_directions[input.code / 2][input.code % 2];
        }
        break;
    case InputKind::none: break;
    }
    return "?";
}

bool find_input(std::string_view name, Input& input)
{
    for (const KeyName& key : named_keys) {
        if (same_letters(name, key.name)) {
            input = Input::key(key.vk);
            return true;
        }
    }
    if (same_letters(name, "WheelUp") || same_letters(name, "WheelDown")) {
        input = Input::wheel(same_letters(name, "WheelUp") ? wheel_up : wheel_down);
        return true;
    }
    return name.size() > pad_prefix.size() && same_letters(name.substr(0, pad_prefix.size()), pad_prefix) &&
           find_pad_input(name.substr(pad_prefix.size()), input);
}

bool find_pad_button(std::string_view name, PadButton& button)
{
    for (unsigned b = 0; b < pad_button_count; ++b) {
        if (name == buttons[b].sdl) {
            button = static_cast<PadButton>(b);
            return true;
        }
    }
    return false;
}

bool find_pad_axis(std::string_view name, PadAxis& axis)
{
    for (unsigned a = 0; a < pad_axis_count; ++a) {
        if (name == axis_sdl_names[a]) {
            axis = static_cast<PadAxis>(a);
            return true;
        }
    }
    return false;
}

const char* pad_button_name(PadButton button) { return button < pad_button_count ? buttons[button].sdl : "?"; }
const char* pad_axis_name(PadAxis axis) { return axis < pad_axis_count ? axis_sdl_names[axis] : "?"; }

std::string pad_button_list()
{
    std::array<const char*, pad_button_count> names{};
    for (unsigned b = 0; b < pad_button_count; ++b) names[b] = buttons[b].sdl;
    return listed(names);
}

std::string pad_axis_list() { return listed(axis_sdl_names); }

}  // namespace qm
