// The help's lines for each device.
#include "shell/controls/help_text.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "shell/controls/touch_buttons.h"

namespace qm {

namespace {

void add_line(HelpScreen& help, const std::string& line)
{
    if (help.count == help_lines) return;
    std::snprintf(help.lines[help.count++], help_line_size, "%s", line.c_str());
}

std::string padded(std::string_view text, std::size_t width)
{
    std::string padded_text(text);
    padded_text.resize(std::max(padded_text.size(), width), ' ');
    return padded_text;
}

// The action's inputs of this device alone.
std::string device_inputs(const ActionInputs& inputs, Device device)
{
    ActionInputs of_device;
    for (int i = 0; i < inputs.count; ++i) {
        const Input input = inputs.inputs[static_cast<std::size_t>(i)];
        if (device_of(input) == device) of_device.add(input);
    }
    return of_device.count == 0 ? std::string() : inputs_text(of_device);
}

// "Help - game pad (PadB closes)": the device, and what closes the help on it.
std::string device_title(const Bindings& bindings, Device device)
{
    if (device == Device::touch) return "Help - the buttons around the frame (? closes)";
    std::string closing = device_inputs(bindings.of(Action::help), device);
    const std::string back = device_inputs(bindings.of(Action::menu_back), device);
    if (!closing.empty() && !back.empty()) closing += " or ";
    closing += back;
    return std::string(device == Device::pad ? "Help - game pad" : "Help - keyboard and mouse") +
           (closing.empty() ? "" : " (" + closing + " closes)");
}

}  // namespace

void fill_help(HelpScreen& help, const Bindings& bindings, Device device)
{
    help = HelpScreen{};
    help.open = true;
    add_line(help, device_title(bindings, device));
    add_line(help, "");
    constexpr auto what_width = static_cast<std::size_t>(help_inputs_column);
    if (device == Device::touch) {
        for (const TouchButton& button : touch_buttons(TouchScreen::play)) {
            add_line(help, padded(action_info(button.action).what, what_width) + button.label);
        }
        return;
    }
    for (int i = 0; i < action_count; ++i) {
        const Action action = action_at(i);
        const std::string inputs = device_inputs(bindings.of(action), device);
        if (!inputs.empty()) add_line(help, padded(action_info(action).what, what_width) + inputs);
    }
    if (device == Device::keyboard) add_line(help, padded("pan the view", what_width) + "right-button drag");
}

}  // namespace qm
