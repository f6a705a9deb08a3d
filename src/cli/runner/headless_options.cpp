// The headless runner's options as a table.
#include "cli/runner/headless_runner.h"

#include "cli/controls_options.h"

namespace qm {

Command headless_command(HeadlessOptions& options)
{
    Command command{"qmsim --headless", "", ""};
    command.options.push_back(command_word("--headless"));
    command.options.push_back(flag("--help", "", options.help).unlisted());
    command.options.push_back(text("--map", "FILE", "the map to play on (default: the flat map)", options.map));
    command.options.push_back(custom("--wind", "random:N|fixed:S:A", "wind", wind_values(),
                                     "the wind (default: random:3)",
                                     [&options](const char* value, std::string&) {
                                         options.wind_given = parse_wind(value, options);
                                         return options.wind_given;
                                     })
                                  .shown_as("[--wind random:N | --wind fixed:S:A]"));
    command.options.push_back(text("--script", "FILE", "the script to run (default, or -: standard input)", options.script));
    add_drill_options(command, options.drill);
    command.options.push_back(controls_option(options.controls, "the laptop preset"));
    return command;
}

std::string headless_usage()
{
    HeadlessOptions options;
    return usage_of(headless_command(options));
}

bool parse_headless_options(int argc, char** argv, HeadlessOptions& options, std::string& error)
{
    options = HeadlessOptions{};
    return read_options(headless_command(options), argc, argv, error) &&
           check_drill_options(options.drill, options.map != nullptr || options.wind_given, error);
}

}  // namespace qm
