// The drill options and the rules between them and the round's own.
#include "cli/drill_options.h"

#include <cstring>

#include "formats/challenge/challenge_code.h"
#include "formats/challenge/challenge_pack.h"
#include "formats/drill/drill_catalogue.h"
#include "formats/history/history.h"
#include "raster/plain_file.h"
#include "shell/drill/drill_session.h"
#include "sim/drill/drill_run.h"

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
    command.options.push_back(text("--challenge", "CODE|PACK",
                                   "play a challenge code or pack (.qmc): its drill, its draws and the score to beat",
                                   options.challenge)
                                  .shown_as("[--challenge CODE|PACK]"));
    command.options.push_back(custom("--history", "FILE", "history file", "",
                                     "the drill history to read and append to",
                                     [&options](const char* value, std::string& why) {
                                         why = history_path_refusal(value);
                                         options.history = value;
                                         return why.empty();
                                     }));
}

std::string history_path_refusal(const char* path)
{
    if (path[0] == '\0') return "--history needs a file name";
    if (std::strlen(path) < drill_path_size) return {};
    return "--history: a path longer than " + std::to_string(drill_path_size - 1) + " bytes";
}

bool check_drill_options(const DrillOptions& options, bool map_or_wind_given, std::string& error)
{
    if (options.drill != nullptr && map_or_wind_given) {
        error = "--drill sets the map and the wind; leave out --map and --wind";
        return false;
    }
    if (options.challenge != nullptr && (map_or_wind_given || options.drill != nullptr || options.seed_given)) {
        error = "--challenge holds the drill, its map, wind and seed; leave out --drill, --seed, --map and --wind";
        return false;
    }
    if (options.drill == nullptr && options.seed_given) {
        error = "--seed needs --drill";
        return false;
    }
    return true;
}

bool history_to_read(const char* given, bool must_exist, std::string& path, std::string& error)
{
    if (given == nullptr) return default_history_path(path, error);
    path = given;
    if (must_exist && nothing_at(given)) {
        error = path + ": no such file";
        return false;
    }
    return true;
}

bool drill_asked(const DrillOptions& options) { return options.drill != nullptr || options.challenge != nullptr; }

bool find_asked_drill(DrillOptions& options, DrillRules& rules, std::string& error)
{
    if (options.drill != nullptr) return find_drill(options.drill, rules, error);
    std::string folder;
    const bool read = is_pack_path(options.challenge)
                          ? default_pack_maps_folder(folder, error) &&
                                read_challenge_pack(options.challenge, folder, rules, options.seed, error)
                          : decode_challenge(options.challenge, rules, options.seed, error);
    if (!read) {
        error = "--challenge: " + error;
        return false;
    }
    options.seed_given = true;
    return true;
}

}  // namespace qm
