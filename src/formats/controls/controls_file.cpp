// Reading, checking and writing the controls file.
#include "formats/controls/controls_file.h"

#include <cstdio>
#include <filesystem>

#include "formats/text_file.h"
#include "formats/user_files.h"
#include "formats/words.h"
#include "raster/replace_file.h"

namespace qm {

namespace {

constexpr const char* controls_name = "controls.conf";
constexpr std::string_view preset_word = "preset";
constexpr const char* heading = "# QM Simulator's controls: ACTION INPUT... a line (docs/controls.md)\n";

bool refuse(long number, long& line, std::string& reason, std::string why)
{
    line = number;
    reason = std::move(why);
    return false;
}

// One action's line: its inputs replace the preset's.
bool parse_action_line(Action action, std::string_view rest, Bindings& bindings, std::string& reason)
{
    const std::string_view name = action_info(action).name;
    if (rest.empty()) {
        reason = std::string(name) + " needs at least one input";
        return false;
    }
    ActionInputs given;
    for (std::string_view word = next_word(rest); !word.empty(); word = next_word(rest)) {
        Input input;
        if (!find_input(word, input)) {
            reason = "unknown input " + quoted(word) + " (docs/controls.md lists them)";
            return false;
        }
        if (given.has(input)) {
            reason = input_name(input) + " is given twice";
            return false;
        }
        if (!given.add(input)) {
            reason = "at most " + std::to_string(max_action_inputs) + " inputs an action";
            return false;
        }
    }
    bindings.of(action) = given;
    return true;
}

// The rules the whole table keeps, checked once every line is read; the
// line blamed is the later of those that made the fault.
bool check_table(const Bindings& bindings, const long (&line_of)[action_count], long& line, std::string& reason)
{
    const Action escape = escape_misbound(bindings);
    if (escape != Action::none) {
        return refuse(line_of[index_of(escape)], line, reason,
                      "Escape can only quit or close a menu (it always ends the program)");
    }
    Clash clash;
    if (find_clash(bindings, clash)) {
        return refuse(std::max(line_of[index_of(clash.first)], line_of[index_of(clash.second)]), line, reason,
                      input_name(clash.input) + " is bound to both " + std::string(action_info(clash.first).name) +
                          " and " + std::string(action_info(clash.second).name));
    }
    return true;
}

}  // namespace

bool parse_controls(std::string_view text, Preset& preset, Bindings& bindings, long& line, std::string& reason)
{
    if (text.starts_with(byte_order_mark)) text.remove_prefix(byte_order_mark.size());
    preset = Preset::classic;
    bindings = preset_bindings(preset);
    long line_of[action_count] = {};  // the line that bound each action; 0: the preset
    long preset_line = 0;
    long number = 0;
    while (!text.empty()) {
        std::string_view rest = trim_blanks(without_comment(take_line(text)));
        ++number;
        if (rest.empty()) continue;
        const std::string_view word = next_word(rest);
        if (word == preset_word) {
            const std::string_view name = next_word(rest);
            if (preset_line != 0) return refuse(number, line, reason, "preset given twice (line " + std::to_string(preset_line) + ")");
            for (long l : line_of) {
                if (l != 0) return refuse(number, line, reason, "preset comes before the bindings");
            }
            if (!find_preset(name, preset) || !rest.empty()) {
                return refuse(number, line, reason, "preset needs " + preset_list() + ", not " + quoted(name));
            }
            bindings = preset_bindings(preset);
            preset_line = number;
            continue;
        }
        const Action action = find_action(word);
        if (action == Action::none) {
            return refuse(number, line, reason, "unknown action " + quoted(word) + " (qmsim controls lists them)");
        }
        if (line_of[index_of(action)] != 0) {
            return refuse(number, line, reason, std::string(word) + " is bound already on line " +
                                                    std::to_string(line_of[index_of(action)]));
        }
        if (!parse_action_line(action, rest, bindings, reason)) {
            line = number;
            return false;
        }
        line_of[index_of(action)] = number;
    }
    return check_table(bindings, line_of, line, reason);
}

std::string format_controls(Preset preset, const Bindings& bindings, bool every)
{
    const Bindings base = preset_bindings(preset);
    std::string text = heading;
    text += std::string(preset_word) + " " + std::string(preset_name(preset)) + "\n";
    for (int i = 0; i < action_count; ++i) {
        const Action action = action_at(i);
        const ActionInputs& inputs = bindings.of(action);
        if (inputs == base.of(action) && !every) continue;
        std::string name(action_info(action).name);
        name.resize(std::max<std::size_t>(name.size(), 12), ' ');
        text += name + " " + inputs_text(inputs) + "\n";
    }
    return text;
}

bool default_controls_path(std::string& path, std::string& reason)
{
    return user_file_path(UserFolder::config, controls_name, "--controls FILE", path, reason);
}

bool read_controls_file(const std::string& path, ControlsFile& file, std::string& error)
{
    file = ControlsFile{};
    file.path = path;
    std::string text;
    std::string reason;
    // No file yet: the preset's bindings, and the file made when one changes.
    std::error_code code;
    if (!std::filesystem::exists(path, code) && !code) return true;
    if (!read_text_file(path, max_controls_file_bytes, text, reason)) {
        error = path + ": " + reason;
        return false;
    }
    file.found = true;
    long line = 0;
    if (parse_controls(text, file.preset, file.bindings, line, reason)) return true;
    error = path;
    if (line > 0) error += ':' + std::to_string(line);
    error += ": " + reason;
    return false;
}

bool write_controls_file(const ControlsFile& file, std::string& reason)
{
    if (!make_folder_of(file.path, reason)) return false;
    const std::string text = format_controls(file.preset, file.bindings, false);
    if (replace_file(file.path.c_str(),
                     [&text](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); },
                     reason)) {
        return true;
    }
    reason = "cannot write " + file.path + ": " + reason;
    return false;
}

}  // namespace qm
