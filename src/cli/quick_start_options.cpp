// The quick-start options as a table, and the drill they may name found and
// checked before any window opens.
#include "cli/quick_start_options.h"

#include <cstring>

#include "cli/controls_options.h"
#include "cli/drill_options.h"
#include "cli/output.h"
#include "formats/history/history.h"
#include "terrain/bitmap_reader.h"

namespace qm {

namespace {

struct Given {
    DrillOptions drill;
    bool mode = false;
    const char* controls = nullptr;
};

Option map_option(QuickStart& choices)
{
    return custom("--map", "FILE", "map", "", "the map to play on (default: the flat map)",
                  [&choices](const char* value, std::string& why) {
                      std::string reason;
                      if (std::strlen(value) >= map_name_size) {
                          why = "map path longer than " + std::to_string(map_name_size - 1) + " characters";
                      } else if (!check_map_file(value, reason)) {
                          why = std::string(value) + ": " + reason;
                      } else {
                          choices.round.map = value;
                      }
                      return why.empty();
                  });
}

Command quick_start_command(QuickStart& choices, Given& given)
{
    Command command{"qmsim", "", " (see --help)"};
    command.options.push_back(map_option(choices));
    command.options.push_back(custom("--mode", screen_mode_forms(), "mode", screen_mode_list(),
                                     "the display mode (default: stretch)",
                                     [&choices, &given](const char* value, std::string&) {
                                         given.mode = parse_screen_mode(value, choices.mode);
                                         return given.mode;
                                     }));
    command.options.push_back(custom("--wind", "random:N|fixed:S:A", "wind", wind_values(),
                                     "the wind (default: random:3)",
                                     [&choices](const char* value, std::string&) {
                                         choices.wind_given = parse_wind(value, choices.round);
                                         return choices.wind_given;
                                     })
                                  .shown_as("[--wind random:N | --wind fixed:S:A]"));
    add_drill_options(command, given.drill);
    command.options.push_back(controls_option(given.controls, default_controls_place).on_new_line());
    command.options.push_back(flag("--quiet-start", "no \"F1: controls and help\" in the first frames", choices.quiet_start));
    return command;
}

// The drill found and its map checked.
bool take_drill(QuickStart& choices, DrillOptions& drill, std::string& error)
{
    if (!find_asked_drill(drill, choices.drill, error)) return false;
    std::string reason;
    if (choices.drill.map_kind == DrillMap::file && !check_map_file(choices.drill.map, reason)) {
        error = std::string(choices.drill.map) + ": " + reason;
        return false;
    }
    choices.drill_given = true;
    choices.seed_given = drill.seed_given;
    choices.seed = drill.seed;
    return true;
}

// A history named on the command line is read before any window opens: one
// that cannot be read, or that is a file the round reads, is refused here.
bool check_history(const QuickStart& choices, const DrillOptions& drill, std::string& error)
{
    std::vector<CommandInput> inputs;
    if (choices.round.map != nullptr) inputs.push_back({"--map", choices.round.map});
    if (drill.drill != nullptr) inputs.push_back({"--drill", drill.drill});
    if (choices.drill_given && choices.drill.map_kind == DrillMap::file) inputs.push_back({"the drill's map", choices.drill.map});
    error = same_file_refusal("--history", drill.history, inputs);
    HistoryContents contents;
    return error.empty() && read_history(drill.history, contents, error);
}

// What the options read ask for, checked; false with the reason.
bool take_choices(QuickStart& choices, Given& given, std::string& error)
{
    DrillOptions& drill = given.drill;
    choices.history = drill.history;
    choices.seed_given = drill.seed_given;
    choices.seed = drill.seed;
    const bool map_or_wind = choices.round.map != nullptr || choices.wind_given;
    // --history alone keeps the dialog; every other option skips it.
    choices.requested = map_or_wind || given.mode || drill_asked(drill) || drill.seed_given;
    if (!check_drill_options(drill, map_or_wind, error)) return false;
    if (drill_asked(drill) && !take_drill(choices, drill, error)) return false;
    if (drill.history != nullptr && !check_history(choices, drill, error)) return false;
    // A bad controls file stops the program before any window opens.
    return load_controls(given.controls, choices.controls, error);
}

}  // namespace

bool parse_quick_start(int argc, char** argv, QuickStart& choices, std::string& error, std::string& usage)
{
    choices = QuickStart{};
    Given given;
    const Command command = quick_start_command(choices, given);
    if (read_options(command, argc, argv, error) && take_choices(choices, given, error)) return true;
    usage = usage_of(command);
    usage.pop_back();
    return false;
}

std::string quick_start_usage()
{
    QuickStart choices;
    Given given;
    return usage_of(quick_start_command(choices, given));
}

}  // namespace qm
