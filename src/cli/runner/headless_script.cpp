// Parsing of headless script lines: words split on blanks, numbers checked
// for range, keys looked up by name.
#include "cli/runner/headless_script.h"

#include "formats/words.h"
#include "shell/platform.h"
#include "sim/controls/inputs.h"
#include "sim/shot_control.h"

namespace qm {

namespace {

struct ScriptKey {
    std::string_view name;
    unsigned code;
};

constexpr ScriptKey script_keys[] = {
    {"up", VK_UP},   {"down", VK_DOWN}, {"left", VK_LEFT}, {"right", VK_RIGHT},   {"add", VK_ADD},
    {"subtract", VK_SUBTRACT}, {"f", VK_F}, {"c", VK_C}, {"esc", VK_ESCAPE},
    // The practice aids.
    {"t", VK_T}, {"h", VK_H}, {"g", VK_G}, {"u", VK_U}, {"r", VK_R}, {"s", VK_S}, {"p", VK_P}, {"f12", VK_F12},
    // The drill menu and the results screen; the controls screen and the help.
    {"d", VK_D}, {"enter", VK_RETURN}, {"k", VK_K}, {"f1", VK_F1}, {"backspace", VK_BACK},
};

constexpr std::string_view key_list =
    "up, down, left, right, add, subtract, f, c, esc, t, h, g, u, r, s, p, f12, d, enter, k, f1, backspace, "
    "or a key as the controls file names it (PageUp, Equal, KeyW ...)";

bool fail(std::string& error, std::string reason)
{
    error = std::move(reason);
    return false;
}

bool no_more(std::string_view rest, std::string_view name, std::string& error)
{
    if (rest.empty()) return true;
    return fail(error, std::string(name) + " takes no further argument, found " + quoted(rest));
}

bool parse_key(std::string_view name, std::string_view rest, ScriptCommand& command, std::string& error)
{
    std::string_view word = next_word(rest);
    for (const ScriptKey& k : script_keys) {
        if (k.name == word) {
            command.key = k.code;
            return no_more(rest, name, error);
        }
    }
    Input input;
    if (find_input(word, input) && input.kind == InputKind::key) {
        command.key = input.code;
        return no_more(rest, name, error);
    }
    if (word.empty()) return fail(error, std::string(name) + " needs a key: " + std::string(key_list));
    return fail(error, "unknown key " + quoted(word) + "; keys: " + std::string(key_list));
}

bool parse_point(std::string_view name, std::string_view rest, ScriptCommand& command, std::string& error)
{
    std::string_view wx = next_word(rest);
    std::string_view wy = next_word(rest);
    long x = 0;
    long y = 0;
    if (!parse_whole_number(wx, 0, headless_client_width - 1, x) ||
        !parse_whole_number(wy, 0, headless_client_height - 1, y)) {
        return fail(error, std::string(name) + " needs X from 0 to " + std::to_string(headless_client_width - 1) +
                               " and Y from 0 to " + std::to_string(headless_client_height - 1));
    }
    command.x = static_cast<int>(x);
    command.y = static_cast<int>(y);
    return no_more(rest, name, error);
}

bool parse_aim(std::string_view name, std::string_view rest, ScriptCommand& command, std::string& error)
{
    std::string_view angle = next_word(rest);
    std::string_view power = next_word(rest);
    if (!parse_decimal(angle, min_aim_angle, max_aim_angle, command.angle) ||
        !parse_decimal(power, min_aim_power, max_aim_power, command.power)) {
        return fail(error, "aim needs ANGLE from " + aim_angle_range() + " and POWER from " + aim_power_range() +
                               ", not " + quoted(angle) + " " + quoted(power));
    }
    return no_more(rest, name, error);
}

bool parse_face(std::string_view name, std::string_view rest, ScriptCommand& command, std::string& error)
{
    std::string_view side = next_word(rest);
    if (side == "left") {
        command.key = VK_LEFT;
    } else if (side == "right") {
        command.key = VK_RIGHT;
    } else {
        return fail(error, std::string(name) + " needs left or right, not " + quoted(side));
    }
    return no_more(rest, name, error);
}

// An optional count of ticks, 1 to max_ticks_per_command.
bool parse_count(std::string_view name, std::string_view rest, ScriptCommand& command, std::string& error)
{
    if (rest.empty()) return true;
    std::string_view word = next_word(rest);
    if (!parse_whole_number(word, 1, max_ticks_per_command, command.count)) {
        return fail(error, std::string(name) + " needs a whole number from 1 to " +
                               std::to_string(max_ticks_per_command) + ", not " + quoted(word));
    }
    return no_more(rest, name, error);
}

bool parse_until(std::string_view name, std::string_view rest, ScriptCommand& command, std::string& error)
{
    std::string_view what = next_word(rest);
    if (what == "rest") {
        command.kind = ScriptCommandKind::until_rest;
    } else if (what == "ready") {
        command.kind = ScriptCommandKind::until_ready;
    } else {
        return fail(error, std::string(name) + " needs 'rest' or 'ready', not " + quoted(what));
    }
    command.count = default_until_rest_ticks;
    return parse_count(std::string(name) + " " + std::string(what), rest, command, error);
}

// The path is the rest of the line, so it may hold blanks.
bool parse_frame(std::string_view name, std::string_view rest, ScriptCommand& command, std::string& error)
{
    if (rest.empty()) return fail(error, std::string(name) + " needs a file path");
    // The system would take the path only up to the NUL: never a shorter one.
    if (rest.find('\0') != std::string_view::npos) return fail(error, std::string(name) + " path holds a NUL byte");
    command.path = std::string(rest);
    return true;
}

bool parse_nothing_more(std::string_view name, std::string_view rest, ScriptCommand&, std::string& error)
{
    return no_more(rest, name, error);
}

// wheel up|down [N]: N notches (default 1) away from the user or towards.
bool parse_wheel(std::string_view name, std::string_view rest, ScriptCommand& command, std::string& error)
{
    const std::string_view way = next_word(rest);
    if (way != "up" && way != "down") return fail(error, std::string(name) + " needs 'up' or 'down', not " + quoted(way));
    const std::string_view count = next_word(rest);
    if (!count.empty() && !parse_whole_number(count, 1, max_wheel_notches, command.count)) {
        return fail(error, std::string(name) + " needs a number of notches from 1 to " +
                               std::to_string(max_wheel_notches) + ", not " + quoted(count));
    }
    if (way == "down") command.count = -command.count;
    return no_more(rest, name, error);
}

// pad down|up BUTTON, pad axis AXIS VALUE.
bool parse_pad(std::string_view name, std::string_view rest, ScriptCommand& command, std::string& error)
{
    const std::string_view what = next_word(rest);
    const std::string_view which = next_word(rest);
    if (what == "down" || what == "up") {
        PadButton button;
        if (!find_pad_button(which, button)) {
            return fail(error, "pad " + std::string(what) + " needs a button (" + pad_button_list() + "), not " +
                                   quoted(which));
        }
        command.kind = what == "down" ? ScriptCommandKind::pad_down : ScriptCommandKind::pad_up;
        command.key = button;
        return no_more(rest, name, error);
    }
    if (what != "axis") return fail(error, std::string(name) + " needs 'down', 'up' or 'axis', not " + quoted(what));
    PadAxis axis;
    if (!find_pad_axis(which, axis)) {
        return fail(error, "pad axis needs an axis (" + pad_axis_list() + "), not " + quoted(which));
    }
    std::string_view value = next_word(rest);
    const bool negative = value.starts_with('-');
    if (negative) value.remove_prefix(1);
    if (!parse_whole_number(value, 0, negative ? 32768 : 32767, command.value)) {
        return fail(error, "pad axis needs a value from -32768 to 32767");
    }
    if (negative) command.value = -command.value;
    command.kind = ScriptCommandKind::pad_axis;
    command.key = axis;
    return no_more(rest, name, error);
}

struct CommandForm {
    std::string_view name;
    ScriptCommandKind kind;
    bool (*parse)(std::string_view name, std::string_view rest, ScriptCommand& command, std::string& error);
};

constexpr CommandForm command_forms[] = {
    {"tick", ScriptCommandKind::tick, parse_count},
    {"down", ScriptCommandKind::key_down, parse_key},
    {"up", ScriptCommandKind::key_up, parse_key},
    {"rdown", ScriptCommandKind::rbutton_down, parse_point},
    {"move", ScriptCommandKind::mouse_move, parse_point},
    {"rup", ScriptCommandKind::rbutton_up, parse_nothing_more},
    {"state", ScriptCommandKind::state, parse_nothing_more},
    {"frame", ScriptCommandKind::frame, parse_frame},
    {"aim", ScriptCommandKind::aim, parse_aim},
    {"face", ScriptCommandKind::face, parse_face},
    {"fire", ScriptCommandKind::fire, parse_nothing_more},
    {"until", ScriptCommandKind::until_rest, parse_until},  // the kind is until's word's
    {"wheel", ScriptCommandKind::wheel, parse_wheel},
    {"pad", ScriptCommandKind::pad_axis, parse_pad},  // the kind is pad's word's
};

}  // namespace

bool parse_script_line(std::string_view line, ScriptCommand& command, std::string& error)
{
    command = ScriptCommand{};
    std::string_view rest = trim_blanks(without_comment(line));
    if (rest.empty()) return true;

    const std::string_view name = next_word(rest);
    for (const CommandForm& form : command_forms) {
        if (form.name != name) continue;
        command.kind = form.kind;
        return form.parse(name, rest, command, error);
    }
    return fail(error, "unknown command " + quoted(name));
}

}  // namespace qm
