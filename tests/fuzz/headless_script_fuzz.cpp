// Feeds arbitrary bytes, line by line, to the headless script parser: every
// line must be accepted with a well-formed command or refused with a one-line
// reason, and an accepted command written back in its plain form must parse
// to the same command.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/runner/headless_script.h"
#include "shell/platform.h"
#include "sim/controls/inputs.h"
#include "sim/shot_control.h"

namespace {

using qm::ScriptCommand;
using qm::ScriptCommandKind;

// A key as the controls file names it, which the script also takes.
std::string key_name(unsigned code)
{
    const std::string name = qm::input_name(qm::Input::key(code));
    if (name == "?") std::abort();  // the parser gave a key it has no name for
    return name;
}

// The shortest decimal that reads back to the same value.
std::string decimal(double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

// The command in the plain form the script language documents.
std::string plain_form(const ScriptCommand& c)
{
    const std::string point = std::to_string(c.x) + " " + std::to_string(c.y);
    switch (c.kind) {
    case ScriptCommandKind::nothing: return "";
    case ScriptCommandKind::tick: return "tick " + std::to_string(c.count);
    case ScriptCommandKind::key_down: return "down " + key_name(c.key);
    case ScriptCommandKind::key_up: return "up " + key_name(c.key);
    case ScriptCommandKind::rbutton_down: return "rdown " + point;
    case ScriptCommandKind::mouse_move: return "move " + point;
    case ScriptCommandKind::rbutton_up: return "rup";
    case ScriptCommandKind::state: return "state";
    case ScriptCommandKind::frame: return "frame " + c.path;
    case ScriptCommandKind::aim: return "aim " + decimal(c.angle) + " " + decimal(c.power);
    case ScriptCommandKind::face: return c.key == qm::VK_LEFT ? "face left" : "face right";
    case ScriptCommandKind::fire: return "fire";
    case ScriptCommandKind::until_rest: return "until rest " + std::to_string(c.count);
    case ScriptCommandKind::until_ready: return "until ready " + std::to_string(c.count);
    case ScriptCommandKind::wheel:
        return (c.count > 0 ? "wheel up " : "wheel down ") + std::to_string(c.count > 0 ? c.count : -c.count);
    case ScriptCommandKind::pad_down: return std::string("pad down ") + qm::pad_button_name(static_cast<qm::PadButton>(c.key));
    case ScriptCommandKind::pad_up: return std::string("pad up ") + qm::pad_button_name(static_cast<qm::PadButton>(c.key));
    case ScriptCommandKind::pad_axis:
        return std::string("pad axis ") + qm::pad_axis_name(static_cast<qm::PadAxis>(c.key)) + " " + std::to_string(c.value);
    }
    std::abort();
}

bool same(const ScriptCommand& a, const ScriptCommand& b)
{
    return a.kind == b.kind && a.count == b.count && a.key == b.key && a.x == b.x && a.y == b.y && a.path == b.path &&
           a.angle == b.angle && a.power == b.power && a.value == b.value;
}

void check_command(const ScriptCommand& command)
{
    if (command.kind == ScriptCommandKind::tick &&
        (command.count < 1 || command.count > qm::max_ticks_per_command))
        std::abort();
    if ((command.kind == ScriptCommandKind::rbutton_down || command.kind == ScriptCommandKind::mouse_move) &&
        (command.x < 0 || command.x >= qm::headless_client_width || command.y < 0 ||
         command.y >= qm::headless_client_height))
        std::abort();
    if (command.kind == ScriptCommandKind::frame && command.path.empty()) std::abort();
    if ((command.kind == ScriptCommandKind::until_rest || command.kind == ScriptCommandKind::until_ready) &&
        (command.count < 1 || command.count > qm::max_ticks_per_command))
        std::abort();
    if (command.kind == ScriptCommandKind::aim &&
        !(command.angle >= qm::min_aim_angle && command.angle <= qm::max_aim_angle &&
          command.power >= qm::min_aim_power && command.power <= qm::max_aim_power))
        std::abort();
    if (command.kind == ScriptCommandKind::face && command.key != qm::VK_LEFT && command.key != qm::VK_RIGHT)
        std::abort();
    if (command.kind == ScriptCommandKind::wheel &&
        (command.count == 0 || command.count > qm::max_wheel_notches || command.count < -qm::max_wheel_notches))
        std::abort();
    if ((command.kind == ScriptCommandKind::pad_down || command.kind == ScriptCommandKind::pad_up) &&
        command.key >= qm::pad_button_count)
        std::abort();
    if (command.kind == ScriptCommandKind::pad_axis &&
        (command.key >= qm::pad_axis_count || command.value < -32768 || command.value > 32767))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    ScriptCommand command;
    ScriptCommand again;
    std::string error;
    while (!input.empty()) {
        std::size_t end = input.find('\n');
        std::string_view line = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
        if (!qm::parse_script_line(line, command, error)) {
            if (error.empty() || error.find('\n') != std::string::npos) std::abort();
            continue;
        }
        check_command(command);
        const std::string plain = plain_form(command);
        if (!qm::parse_script_line(plain, again, error) || !same(command, again)) std::abort();
    }
    return 0;
}
