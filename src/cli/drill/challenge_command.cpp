// Printing a drill's challenge code.
#include "cli/drill/challenge_command.h"

#include <string_view>
#include <vector>

#include "cli/options.h"
#include "cli/output.h"
#include "formats/challenge/challenge_code.h"
#include "formats/challenge/challenge_pack.h"
#include "formats/drill/drill_catalogue.h"
#include "formats/words.h"
#include "shell/drill/drill_session.h"
#include "shell/exit_codes.h"
#include "sim/drill/drill_run.h"

namespace qm {

namespace {

struct ChallengeOptions {
    bool help = false;
    bool seed_given = false;
    std::uint32_t seed = 0;
    const char* score = nullptr;
    const char* name = nullptr;
    const char* pack = nullptr;
};

Command challenge_command(ChallengeOptions& options)
{
    Command command{"qmsim challenge NAME|FILE", "challenge: ", ""};
    command.options.push_back(flag("--help", "", options.help).unlisted());
    command.options.push_back(custom("--seed", "N", "seed", "a whole number from 0 to 4294967295",
                                     "the draws (default: a fresh seed)",
                                     [&options](const char* value, std::string&) {
                                         options.seed_given = parse_seed(value, options.seed);
                                         return options.seed_given;
                                     }));
    command.options.push_back(text("--score", "S", "the score to beat", options.score));
    command.options.push_back(custom("--name", "TEXT", "name", "", "who set the score (at most 32 bytes)",
                                     [&options](const char* value, std::string& why) {
                                         why = sender_refusal(value);
                                         if (why.empty() && value[0] == '\0') why = "--name needs a text";
                                         options.name = value;
                                         return why.empty();
                                     }));
    command.options.push_back(text("--pack", "OUT.qmc", "write a pack: the drill and its map in one file",
                                   options.pack));
    return command;
}

// The score to beat into the rules, once they are known (its range follows
// their rounds).
bool take_score(const char* text, DrillRules& rules, std::string& error)
{
    long score = 0;
    const long most = static_cast<long>(rules.rounds * drill_max_round_points);
    if (!parse_whole_number(text, 0, most, score)) {
        error = "bad score '" + std::string(text) + "': " + score_refusal(-1, rules);
        return false;
    }
    rules.challenge.score_given = true;
    rules.challenge.score = score;
    return true;
}

// Writes the pack and says where; a pack onto the drill or its map is
// refused before anything is written.
int pack_challenge(const char* drill, const DrillRules& rules, std::uint32_t seed, const char* pack, std::FILE* out,
                   std::FILE* err)
{
    std::vector<CommandInput> inputs{{"the drill", drill}};
    if (rules.map_kind == DrillMap::file) inputs.push_back({"its map", rules.map});
    std::string error = is_pack_path(pack) ? same_file_refusal("--pack", pack, inputs)
                                           : std::string("--pack: a pack's name ends in ") + pack_suffix;
    if (!error.empty()) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_bad_input;
    }
    if (!write_challenge_pack(rules, seed, pack, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return error.starts_with(pack) ? exit_failed : exit_bad_input;
    }
    std::fprintf(out, "%s\n", pack);
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace

std::string challenge_usage()
{
    ChallengeOptions options;
    return usage_of(challenge_command(options));
}

int run_challenge(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    ChallengeOptions options;
    const Command command = challenge_command(options);
    const bool drill_given = argc > 1 && !std::string_view(argv[1]).starts_with("--");
    std::string error;
    if (!read_options(command, drill_given ? argc - 1 : argc, drill_given ? argv + 1 : argv, error)) {
        return refuse_options(command, error, err);
    }
    if (options.help) return print_help(command, out, err);
    if (!drill_given) return refuse_options(command, "name a drill: a built-in's name or a drill file", err);
    DrillRules rules;
    if (!find_drill(argv[1], rules, error) || (options.score != nullptr && !take_score(options.score, rules, error))) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_bad_input;
    }
    if (options.name != nullptr) std::snprintf(rules.challenge.sender, sizeof rules.challenge.sender, "%s", options.name);
    const std::uint32_t seed = options.seed_given ? options.seed : clock_seed();
    if (options.pack != nullptr) return pack_challenge(argv[1], rules, seed, options.pack, out, err);
    std::string code;
    if (!encode_challenge(rules, seed, code, error)) {
        std::fprintf(err, "qmsim: %s: %s\n", argv[1], error.c_str());
        return exit_bad_input;
    }
    std::fprintf(out, "%s\n", code.c_str());
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace qm
