// Parsing of headless script lines: words split on blanks, numbers checked
// for range, keys looked up by name.
#include "shell/runner/headless_script.h"

#include <charconv>
#include <cstdlib>
#include <cstdio>

#include "shell/platform.h"

namespace qm {

namespace {

struct KeyName {
    std::string_view name;
    unsigned code;
};

constexpr KeyName key_names[] = {
    {"up", VK_UP},   {"down", VK_DOWN}, {"left", VK_LEFT}, {"right", VK_RIGHT},   {"add", VK_ADD},
    {"subtract", VK_SUBTRACT}, {"f", VK_F}, {"c", VK_C}, {"esc", VK_ESCAPE},
    // The practice aids.
    {"t", VK_T}, {"h", VK_H}, {"g", VK_G}, {"u", VK_U}, {"r", VK_R}, {"s", VK_S}, {"p", VK_P}, {"f12", VK_F12},
    // The drill menu and the results screen.
    {"d", VK_D}, {"enter", VK_RETURN},
};

constexpr std::string_view key_list = "up, down, left, right, add, subtract, f, c, esc, t, h, g, u, r, s, p, f12, d, enter";

// A word as an error message shows it: quoted, cut short, and with bytes
// that are not printable as '?', so that the message stays one short line.
constexpr std::size_t max_quoted_word = 40;

std::string quoted(std::string_view word)
{
    std::string text(1, '\'');
    for (std::size_t i = 0; i < word.size() && i < max_quoted_word; ++i) {
        const char c = word[i];
        text.push_back(c >= ' ' && c <= '~' ? c : '?');
    }
    if (word.size() > max_quoted_word) text.append("...");
    text.push_back('\'');
    return text;
}

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
    std::string_view word = next_script_word(rest);
    for (const KeyName& k : key_names) {
        if (k.name == word) {
            command.key = k.code;
            return no_more(rest, name, error);
        }
    }
    if (word.empty()) return fail(error, std::string(name) + " needs a key: " + std::string(key_list));
    return fail(error, "unknown key " + quoted(word) + "; keys: " + std::string(key_list));
}

bool parse_point(std::string_view name, std::string_view rest, ScriptCommand& command, std::string& error)
{
    std::string_view wx = next_script_word(rest);
    std::string_view wy = next_script_word(rest);
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

std::string range_text(double low, double high)
{
    char text[64];
    std::snprintf(text, sizeof text, "from %g to %g", low, high);
    return text;
}

bool parse_aim(std::string_view rest, ScriptCommand& command, std::string& error)
{
    std::string_view angle = next_script_word(rest);
    std::string_view power = next_script_word(rest);
    if (!parse_decimal(angle, min_aim_angle, max_aim_angle, command.angle) ||
        !parse_decimal(power, min_aim_power, max_aim_power, command.power)) {
        return fail(error, "aim needs ANGLE " + range_text(min_aim_angle, max_aim_angle) + " and POWER " +
                               range_text(min_aim_power, max_aim_power) + ", not " + quoted(angle) + " " +
                               quoted(power));
    }
    return no_more(rest, "aim", error);
}

bool parse_face(std::string_view rest, ScriptCommand& command, std::string& error)
{
    std::string_view side = next_script_word(rest);
    if (side == "left") {
        command.key = VK_LEFT;
    } else if (side == "right") {
        command.key = VK_RIGHT;
    } else {
        return fail(error, "face needs left or right, not " + quoted(side));
    }
    return no_more(rest, "face", error);
}

bool parse_until(std::string_view rest, ScriptCommand& command, std::string& error)
{
    std::string_view what = next_script_word(rest);
    if (what == "rest") {
        command.kind = ScriptCommandKind::until_rest;
    } else if (what == "ready") {
        command.kind = ScriptCommandKind::until_ready;
    } else {
        return fail(error, "until needs 'rest' or 'ready', not " + quoted(what));
    }
    const std::string name = "until " + std::string(what);
    command.count = default_until_rest_ticks;
    if (rest.empty()) return true;
    std::string_view word = next_script_word(rest);
    if (!parse_whole_number(word, 1, max_ticks_per_command, command.count)) {
        return fail(error, name + " needs a whole number from 1 to " + std::to_string(max_ticks_per_command) +
                               ", not " + quoted(word));
    }
    return no_more(rest, name, error);
}

}  // namespace

bool is_script_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view without_comment(std::string_view line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || is_script_blank(line[i - 1]))) return line.substr(0, i);
    }
    return line;
}

std::string_view trim_blanks(std::string_view s)
{
    while (!s.empty() && is_script_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_script_blank(s.back())) s.remove_suffix(1);
    return s;
}

// Takes the next word off the front of s.
std::string_view next_script_word(std::string_view& s)
{
    s = trim_blanks(s);
    std::size_t end = 0;
    while (end < s.size() && !is_script_blank(s[end])) ++end;
    std::string_view word = s.substr(0, end);
    s.remove_prefix(end);
    s = trim_blanks(s);
    return word;
}


bool parse_whole_number(std::string_view word, long low, long high, long& value)
{
    if (word.empty() || word.front() < '0' || word.front() > '9') return false;
    long parsed = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    if (ec != std::errc() || end != word.data() + word.size()) return false;
    if (parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool parse_decimal(std::string_view word, double low, double high, double& value)
{
    int digits = 0;
    int points = 0;
    for (char c : word) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return false;
        }
    }
    if (digits == 0 || points > 1) return false;
    // strtod rather than from_chars: the WebAssembly build's C++ library
    // reads no floating point with from_chars. Both round correctly, and
    // the word is plain digits with one point at most, so the C locale's
    // reading is the only one.
    const std::string text(word);
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool parse_script_line(std::string_view line, ScriptCommand& command, std::string& error)
{
    command = ScriptCommand{};
    std::string_view rest = trim_blanks(without_comment(line));
    if (rest.empty()) return true;

    std::string_view name = next_script_word(rest);
    if (name == "tick") {
        command.kind = ScriptCommandKind::tick;
        if (rest.empty()) return true;
        std::string_view word = next_script_word(rest);
        if (!parse_whole_number(word, 1, max_ticks_per_command, command.count)) {
            return fail(error, "tick needs a whole number from 1 to " + std::to_string(max_ticks_per_command) +
                                   ", not " + quoted(word));
        }
        return no_more(rest, name, error);
    }
    if (name == "down") {
        command.kind = ScriptCommandKind::key_down;
        return parse_key(name, rest, command, error);
    }
    if (name == "up") {
        command.kind = ScriptCommandKind::key_up;
        return parse_key(name, rest, command, error);
    }
    if (name == "rdown") {
        command.kind = ScriptCommandKind::rbutton_down;
        return parse_point(name, rest, command, error);
    }
    if (name == "move") {
        command.kind = ScriptCommandKind::mouse_move;
        return parse_point(name, rest, command, error);
    }
    if (name == "rup") {
        command.kind = ScriptCommandKind::rbutton_up;
        return no_more(rest, name, error);
    }
    if (name == "state") {
        command.kind = ScriptCommandKind::state;
        return no_more(rest, name, error);
    }
    if (name == "frame") {
        // The path is the rest of the line, so it may hold blanks.
        if (rest.empty()) return fail(error, "frame needs a file path");
        command.kind = ScriptCommandKind::frame;
        command.path = std::string(rest);
        return true;
    }
    if (name == "aim") {
        command.kind = ScriptCommandKind::aim;
        return parse_aim(rest, command, error);
    }
    if (name == "face") {
        command.kind = ScriptCommandKind::face;
        return parse_face(rest, command, error);
    }
    if (name == "fire") {
        command.kind = ScriptCommandKind::fire;
        return no_more(rest, name, error);
    }
    if (name == "until") return parse_until(rest, command, error);
    return fail(error, "unknown command " + quoted(name));
}

}  // namespace qm
