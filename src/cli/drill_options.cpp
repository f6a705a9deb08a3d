// The drill options and the rules between them and the round's own.
#include "cli/drill_options.h"

#include "shell/drill/drill_session.h"

namespace qm {

void add_drill_options(Command& command, DrillOptions& options)
{
    command.options.push_back(text("--drill", "NAME|FILE", "play a drill: a built-in's name or a drill file",
                                   options.drill)
                                  .shown_as("[--drill NAME|FILE [--seed N]]")
                                  .on_new_line());
    command.options.push_back(custom("--seed", "N", "seed", "a whole number from 0 to 4294967295",
                                     "the drill's draws: the same seed, the same targets and winds",
                                     [&options](const char* value, std::string&) {
                                         options.seed_given = parse_seed(value, options.seed);
                                         return options.seed_given;
                                     })
                                  .unlisted());
    command.options.push_back(text("--history", "FILE", "the drill history to read and append to", options.history));
}

bool check_drill_options(const DrillOptions& options, bool map_or_wind_given, std::string& error)
{
    if (options.drill != nullptr && map_or_wind_given) {
        error = "--drill sets the map and the wind; leave out --map and --wind";
        return false;
    }
    if (options.drill == nullptr && options.seed_given) {
        error = "--seed needs --drill";
        return false;
    }
    return true;
}

}  // namespace qm
