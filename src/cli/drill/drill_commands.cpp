// Listing the drills and the history.
#include "cli/drill/drill_commands.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/drill/drill_catalogue.h"
#include "shell/drill/history.h"
#include "cli/drill/history_plot.h"
#include "cli/output.h"

namespace qm {

namespace {

constexpr int exit_ok = 0;
constexpr int exit_failed = 1;
constexpr int exit_bad_input = 2;

constexpr const char* drills_usage = "usage: qmsim drills\n";
constexpr const char* history_usage = "usage: qmsim history [--history FILE] [--drill NAME] [--csv] [--plot FILE.png]\n";

struct HistoryOptions {
    const char* history = nullptr;
    const char* drill = nullptr;
    bool csv = false;
    const char* plot = nullptr;
};

bool parse_history_options(int argc, char** argv, HistoryOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--csv") {
            options.csv = true;
            continue;
        }
        if (arg != "--history" && arg != "--drill" && arg != "--plot") {
            error = "unknown option '" + std::string(arg) + "'";
            return false;
        }
        if (i + 1 >= argc) {
            error = std::string(arg) + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        (arg == "--history" ? options.history : arg == "--drill" ? options.drill : options.plot) = value;
    }
    return true;
}

// The drill --drill names: a built-in's or a drill file's name, or the name
// as the history has it.
std::string drill_name(const char* drill)
{
    DrillRules rules;
    std::string error;
    return find_drill(drill, rules, error) ? std::string(rules.name) : std::string(drill);
}

void print_csv(const std::vector<HistoryRecord>& records, std::FILE* out)
{
    std::fputs("time,drill,digest,seed,rounds,played,hits,first_shot_hits,shots,damage,score,mean_miss,assisted,"
               "abandoned,version\n",
               out);
    for (const HistoryRecord& r : records) {
        std::string name = r.drill;
        // A name holding the separator or a quote is quoted, its quotes doubled.
        if (name.find_first_of(",\"") != std::string::npos) {
            std::string quoted = "\"";
            for (char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
            name = quoted + "\"";
        }
        std::fprintf(out, "%s,%s,%s,%u,%d,%d,%d,%d,%d,%lld,%lld,%.1f,%s,%s,%s\n", r.time.c_str(), name.c_str(),
                     r.digest.c_str(), r.seed, r.rounds, r.played, r.hits, r.first_shot_hits, r.shots, r.damage, r.score,
                     r.mean_miss, r.assisted ? "yes" : "no", r.abandoned ? "yes" : "no", r.version.c_str());
    }
}

void print_sessions(const std::vector<HistoryRecord>& records, std::FILE* out)
{
    // Bests per drill and settings, in the order the drills first appear.
    std::vector<std::pair<std::string, std::string>> order;
    std::map<std::pair<std::string, std::string>, std::pair<const HistoryRecord*, int>> bests;
    for (const HistoryRecord& r : records) {
        std::fprintf(out, "%s  %-16s score %6lld  hits %d/%d  first-shot %d  shots %d  damage %lld  miss %.1f  seed %u%s%s\n",
                     r.time.c_str(), r.drill.c_str(), r.score, r.hits, r.played, r.first_shot_hits, r.shots, r.damage,
                     r.mean_miss, r.seed, r.assisted ? "  assisted" : "", r.abandoned ? "  abandoned" : "");
        if (r.abandoned) continue;
        const auto key = std::make_pair(r.drill, r.digest);
        auto [it, added] = bests.try_emplace(key, &r, 0);
        if (added) order.push_back(key);
        if (r.score > it->second.first->score) it->second.first = &r;
        ++it->second.second;
    }
    for (const auto& key : order) {
        const auto& [best, sessions] = bests[key];
        std::fprintf(out, "best  %s (settings %.8s): %lld on %s, of %d session%s\n", key.first.c_str(),
                     key.second.c_str(), best->score, best->time.c_str(), sessions, sessions == 1 ? "" : "s");
    }
}

}  // namespace

int run_drills(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    if (argc > 1) {
        if (std::string_view(argv[1]) == "--help") {
            std::fputs(drills_usage, out);
            return output_flushed(out, err) ? exit_ok : exit_failed;
        }
        std::fprintf(err, "qmsim: unknown option '%s'\n%s", argv[1], drills_usage);
        return exit_bad_input;
    }
    for (const DrillEntry& entry : list_drills("")) {
        DrillRules rules;
        std::string error;
        if (find_drill(entry.key, rules, error)) {
            std::fprintf(out, "%-14s %s: %s\n", entry.key.c_str(), rules.name, describe_drill(rules).c_str());
        } else {
            std::fprintf(out, "%-14s %s\n", entry.key.c_str(), error.c_str());
        }
    }
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

int run_history(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    HistoryOptions options;
    std::string error;
    if (argc > 1 && std::string_view(argv[1]) == "--help") {
        std::fputs(history_usage, out);
        return output_flushed(out, err) ? exit_ok : exit_failed;
    }
    if (!parse_history_options(argc, argv, options, error)) {
        std::fprintf(err, "qmsim: %s\n%s", error.c_str(), history_usage);
        return exit_bad_input;
    }
    std::string path;
    if (options.history != nullptr) {
        path = options.history;
    } else if (!default_history_path(path, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_bad_input;
    }
    HistoryContents contents;
    if (!read_history(path, contents, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_failed;
    }
    const std::string warning = skipped_warning(path, contents.skipped);
    if (!warning.empty()) std::fprintf(err, "qmsim: %s\n", warning.c_str());
    std::vector<HistoryRecord> records;
    const std::string wanted = options.drill != nullptr ? drill_name(options.drill) : std::string();
    for (HistoryRecord& r : contents.records) {
        if (options.drill == nullptr || r.drill == wanted) records.push_back(std::move(r));
    }
    if (options.csv) {
        print_csv(records, out);
    } else if (records.empty()) {
        std::fprintf(out, "no drill sessions in %s%s\n", path.c_str(),
                     options.drill != nullptr ? (" for " + wanted).c_str() : "");
    } else {
        print_sessions(records, out);
    }
    if (options.plot != nullptr && !write_history_plot(records, options.plot, error)) {
        std::fprintf(err, "qmsim: cannot write the chart to %s: %s\n", options.plot, error.c_str());
        return exit_failed;
    }
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace qm
