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
#include "sim/shot_control.h"

namespace {

using qm::ScriptCommand;
using qm::ScriptCommandKind;

const char* key_name(unsigned code)
{
    switch (code) {
    case qm::VK_UP: return "up";
    case qm::VK_DOWN: return "down";
    case qm::VK_LEFT: return "left";
    case qm::VK_RIGHT: return "right";
    case qm::VK_ADD: return "add";
    case qm::VK_SUBTRACT: return "subtract";
    case qm::VK_F: return "f";
    case qm::VK_C: return "c";
    case qm::VK_ESCAPE: return "esc";
    case qm::VK_T: return "t";
    case qm::VK_H: return "h";
    case qm::VK_G: return "g";
    case qm::VK_U: return "u";
    case qm::VK_R: return "r";
    case qm::VK_S: return "s";
    case qm::VK_P: return "p";
    case qm::VK_F12: return "f12";
    case qm::VK_D: return "d";
    case qm::VK_RETURN: return "enter";
    default: std::abort();  // the parser gave a key it has no name for
    }
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
    case ScriptCommandKind::key_down: return std::string("down ") + key_name(c.key);
    case ScriptCommandKind::key_up: return std::string("up ") + key_name(c.key);
    case ScriptCommandKind::rbutton_down: return "rdown " + point;
    case ScriptCommandKind::mouse_move: return "move " + point;
    case ScriptCommandKind::rbutton_up: return "rup";
    case ScriptCommandKind::state: return "state";
    case ScriptCommandKind::frame: return "frame " + c.path;
    case ScriptCommandKind::aim: return "aim " + decimal(c.angle) + " " + decimal(c.power);
    case ScriptCommandKind::face: return std::string("face ") + key_name(c.key);
    case ScriptCommandKind::fire: return "fire";
    case ScriptCommandKind::until_rest: return "until rest " + std::to_string(c.count);
    case ScriptCommandKind::until_ready: return "until ready " + std::to_string(c.count);
    }
    std::abort();
}

bool same(const ScriptCommand& a, const ScriptCommand& b)
{
    return a.kind == b.kind && a.count == b.count && a.key == b.key && a.x == b.x && a.y == b.y && a.path == b.path &&
           a.angle == b.angle && a.power == b.power;
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
