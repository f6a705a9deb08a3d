// Listing the drills and the history.
#include "cli/drill/drill_commands.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/drill/history_plot.h"
#include "cli/drill_options.h"
#include "cli/options.h"
#include "cli/output.h"
#include "formats/challenge/challenge_code.h"
#include "formats/drill/drill_catalogue.h"
#include "formats/history/history.h"
#include "formats/history/history_import.h"
#include "shell/exit_codes.h"
#include "sim/drill/coach_bands.h"

namespace qm {

namespace {

struct HistoryOptions {
    const char* history = nullptr;
    const char* drill = nullptr;
    bool csv = false;
    bool rounds = false;
    bool codes = false;
    const char* plot = nullptr;
    const char* import = nullptr;
    bool help = false;
};

Command drills_command(bool& help)
{
    Command command{"qmsim drills", "", ""};
    command.options.push_back(flag("--help", "", help).unlisted());
    return command;
}

Command history_command(HistoryOptions& options)
{
    Command command{"qmsim history", "", ""};
    command.options.push_back(flag("--help", "", options.help).unlisted());
    command.options.push_back(text("--history", "FILE", "the history to read (default: the one drills keep)",
                                   options.history));
    command.options.push_back(text("--drill", "NAME", "only this drill's sessions", options.drill));
    command.options.push_back(flag("--csv", "the sessions (or the shots) as CSV", options.csv));
    command.options.push_back(flag("--rounds", "every shot of the sessions instead, with its round", options.rounds));
    command.options.push_back(flag("--codes", "each session's challenge code instead: its drill, seed and score",
                                   options.codes));
    command.options.push_back(text("--plot", "FILE.png", "draw the scores over time", options.plot));
    command.options.push_back(text("--import", "FILE", "add the sessions of another history (those not already in)",
                                   options.import));
    return command;
}

// The drill --drill names: a built-in's or a drill file's name, or the name
// as the history has it.
std::string drill_name(const char* drill)
{
    DrillRules rules;
    std::string error;
    return find_drill(drill, rules, error) ? std::string(rules.name) : std::string(drill);
}

// A text field of a CSV row: one holding the separator, a quote or a line
// break is quoted, its quotes doubled.
std::string csv_field(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void print_csv(const std::vector<HistoryRecord>& records, std::FILE* out)
{
    std::fputs("time,drill,digest,seed,rounds,played,hits,first_shot_hits,shots,damage,score,mean_miss,assisted,"
               "abandoned,version\n",
               out);
    for (const HistoryRecord& r : records) {
        std::fprintf(out, "%s,%s,%s,%u,%d,%d,%d,%d,%d,%lld,%lld,%.1f,%s,%s,%s\n", csv_field(r.time).c_str(),
                     csv_field(r.drill).c_str(), csv_field(r.digest).c_str(), r.seed, r.rounds, r.played, r.hits,
                     r.first_shot_hits, r.shots, r.damage, r.score, r.mean_miss, r.assisted ? "yes" : "no",
                     r.abandoned ? "yes" : "no", csv_field(r.version).c_str());
    }
}

void print_shots_header(std::FILE* out)
{
    std::fputs("time,drill,round,distance,wind,band,angle,power,damage,miss\n", out);
}

// One line a shot, or a CSV row; the band and the miss left empty (or
// named so) when there is none.
void print_shots(const HistoryRecord& r, bool csv, std::FILE* out)
{
    const std::string drill = csv ? csv_field(r.drill) : r.drill;
    for (const HistoryRound& round : r.round_log) {
        const std::string band = round.band == no_band ? (csv ? "" : "none") : std::to_string(round.band);
        for (int s = 0; s < round.shots; ++s) {
            const HistoryShot& shot = round.shot[s];
            const std::string miss = shot.struck ? std::to_string(shot.miss) : (csv ? "" : "none");
            const char* format = csv ? "%s,%s,%d,%d,%d,%s,%.2f,%.2f,%d,%s\n"
                                     : "%s  %-16s round %d  distance %d  wind %d  band %s  angle %.2f  power %.2f  "
                                       "damage %d  miss %s\n";
            std::fprintf(out, format, r.time.c_str(), drill.c_str(), round.number, round.distance, round.wind,
                         band.c_str(), shot.angle, shot.power, shot.damage, miss.c_str());
        }
    }
}

// The drills a session's code can be made from: the built-ins and the
// working folder's drill files, each read once.
class DrillsHere {
public:
    // The drill named `name` with settings of `digest`; null when none is here.
    const DrillRules* find(const std::string& name, const std::string& digest)
    {
        if (!read_) {
            for (const DrillEntry& entry : list_drills("")) {
                DrillRules rules;
                std::string error;
                if (find_drill(entry.key, rules, error)) drills_.push_back(rules);
            }
            read_ = true;
        }
        for (const DrillRules& rules : drills_) {
            if (name == rules.name && digest == digest_text(rules.digest)) return &rules;
        }
        return nullptr;
    }

private:
    std::vector<DrillRules> drills_;
    bool read_ = false;
};

// The code that hands a session on: its drill, its seed and its score to beat.
void print_code(const HistoryRecord& r, DrillsHere& drills, std::FILE* out)
{
    const DrillRules* found = drills.find(r.drill, r.digest);
    std::string code;
    std::string why = "its drill is not here (a drill file of another folder, or one changed since)";
    if (found != nullptr) {
        DrillRules rules = *found;
        rules.challenge.score_given = true;
        rules.challenge.score = r.score;
        if (encode_challenge(rules, r.seed, code, why)) why.clear();
    }
    std::fprintf(out, "%s  %-16s score %6lld  %s%s\n", r.time.c_str(), r.drill.c_str(), r.score,
                 why.empty() ? "" : "no code: ", why.empty() ? code.c_str() : why.c_str());
}

void print_sessions(const std::vector<HistoryRecord>& records, std::FILE* out)
{
    // Bests per drill and settings, in the order the drills first appear.
    std::vector<std::pair<std::string, std::string>> order;
    std::map<std::pair<std::string, std::string>, std::pair<const HistoryRecord*, int>> bests;
    for (const HistoryRecord& r : records) {
        std::fprintf(out, "%s  %-16s score %6lld  hits %d/%d  first-shot %d  shots %d  damage %lld  miss %.1f  seed %u%s%s%s\n",
                     r.time.c_str(), r.drill.c_str(), r.score, r.hits, r.played, r.first_shot_hits, r.shots, r.damage,
                     r.mean_miss, r.seed, r.assisted ? "  assisted" : "", r.abandoned ? "  abandoned" : "",
                     r.challenge ? "  challenge" : "");
        if (r.abandoned) continue;
        const auto key = std::make_pair(series_name(r), r.digest);
        auto [it, added] = bests.try_emplace(key, &r, 0);
        if (added) order.push_back(key);
        if (r.score > it->second.first->score) it->second.first = &r;
        ++it->second.second;
    }
    for (const auto& key : order) {
        const auto& [best, sessions] = bests[key];
        const std::string settings = best->challenge ? "" : " (settings " + key.second.substr(0, 8) + ")";
        std::fprintf(out, "best  %s%s: %lld on %s, of %d session%s\n", key.first.c_str(), settings.c_str(),
                     best->score, best->time.c_str(), sessions, sessions == 1 ? "" : "s");
    }
}

// The picture may not replace the history it is drawn from. The default
// history is named here too, so that --plot onto it is refused as well.
bool check_history_options(const HistoryOptions& options, std::string& error)
{
    if (options.plot != nullptr && options.import != nullptr) {
        error = "--import adds to the history; draw it with --plot afterwards";
        return false;
    }
    if (options.codes && (options.rounds || options.csv)) {
        error = "--codes lists a code a session; ask for --rounds or --csv on their own";
        return false;
    }
    if (options.plot == nullptr && options.import == nullptr) return true;
    std::string path;
    std::string unused;
    if (options.history != nullptr) {
        path = options.history;
    } else if (!default_history_path(path, unused)) {
        return true;
    }
    if (options.plot != nullptr) {
        error = same_file_refusal("--plot", options.plot, {{"--history", path}});
    } else {
        error = same_file_refusal("--history", path.c_str(), {{"--import", options.import}});
    }
    return error.empty();
}

int run_import(const HistoryOptions& options, const std::string& path, std::FILE* out, std::FILE* err)
{
    ImportCounts counts;
    std::string error;
    if (!import_history(options.import, path, counts, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return counts.write_failed ? exit_failed : exit_bad_input;
    }
    std::fprintf(out, "%d session%s added to %s, %d already there, %d line%s skipped (not history records)\n",
                 counts.added, counts.added == 1 ? "" : "s", path.c_str(), counts.present, counts.skipped,
                 counts.skipped == 1 ? "" : "s");
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace

std::string drills_usage()
{
    bool help = false;
    return usage_of(drills_command(help));
}

std::string history_usage()
{
    HistoryOptions options;
    return usage_of(history_command(options));
}

bool read_drills_options(int argc, char** argv, std::string& error)
{
    bool help = false;
    return read_options(drills_command(help), argc, argv, error);
}

bool read_history_options(int argc, char** argv, std::string& error)
{
    HistoryOptions options;
    return read_options(history_command(options), argc, argv, error) && check_history_options(options, error);
}

int run_drills(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    bool help = false;
    std::string error;
    if (!read_options(drills_command(help), argc, argv, error)) return refuse_options(drills_command(help), error, err);
    if (help) return print_help(drills_command(help), out, err);
    for (const DrillEntry& entry : list_drills("")) {
        DrillRules rules;
        std::string why;
        if (find_drill(entry.key, rules, why)) {
            std::fprintf(out, "%-14s %s: %s\n", entry.key.c_str(), rules.name, describe_drill(rules).c_str());
        } else {
            std::fprintf(out, "%-14s %s\n", entry.key.c_str(), why.c_str());
        }
    }
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

int run_history(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    HistoryOptions options;
    std::string error;
    if (!read_options(history_command(options), argc, argv, error) || !check_history_options(options, error)) {
        return refuse_options(history_command(options), error, err);
    }
    if (options.help) return print_help(history_command(options), out, err);
    std::string path;
    if (!history_to_read(options.history, options.import == nullptr, path, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_bad_input;
    }
    if (options.import != nullptr) return run_import(options, path, out, err);
    // A record at a time, its shots listed as it is read: a long history's
    // rounds are never all held at once.
    std::vector<HistoryRecord> records;
    std::vector<long> skipped;
    const std::string wanted = options.drill != nullptr ? drill_name(options.drill) : std::string();
    if (options.rounds && options.csv) print_shots_header(out);
    DrillsHere drills;
    const HistoryVisit take = [&](HistoryRecord& r) {
        if (options.drill != nullptr && r.drill != wanted) return;
        if (options.rounds) print_shots(r, options.csv, out);
        if (options.codes) print_code(r, drills, out);
        r.round_log = {};
        records.push_back(std::move(r));
    };
    if (!read_history_each(path, take, skipped, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        // The user's own file is bad input; the program's own place failed it.
        return options.history != nullptr ? exit_bad_input : exit_failed;
    }
    const std::string warning = skipped_warning(path, skipped);
    if (!warning.empty()) std::fprintf(err, "qmsim: %s\n", warning.c_str());
    // The shots or the codes were listed as the records were read.
    const bool listed = options.rounds || options.codes;
    if (options.csv && !listed) {
        print_csv(records, out);
    } else if (records.empty() && !(options.rounds && options.csv)) {
        std::fprintf(out, "no drill sessions in %s%s\n", path.c_str(),
                     options.drill != nullptr ? (" for " + wanted).c_str() : "");
    } else if (!listed) {
        print_sessions(records, out);
    }
    if (options.plot != nullptr && !write_history_plot(records, options.plot, error)) {
        std::fprintf(err, "qmsim: cannot write the chart to %s: %s\n", options.plot, error.c_str());
        return exit_failed;
    }
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace qm
