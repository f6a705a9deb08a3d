// `qmsim coach`: the history read once, a line at a time, into the bands.
#include "cli/coach/coach_command.h"

#include "cli/coach/coach_plot.h"
#include "cli/coach/coach_report.h"
#include "cli/drill_options.h"
#include "cli/options.h"
#include "cli/output.h"
#include "formats/history/history.h"
#include "shell/exit_codes.h"

namespace qm {

namespace {

struct CoachOptions {
    const char* history = nullptr;
    bool csv = false;
    bool calibration = false;
    const char* plot = nullptr;
    bool help = false;
};

Command coach_command(CoachOptions& options)
{
    Command command{"qmsim coach", "", ""};
    command.options.push_back(flag("--help", "", options.help).unlisted());
    command.options.push_back(text("--history", "FILE", "the history to read (default: the one drills keep)",
                                   options.history));
    command.options.push_back(flag("--csv", "the bands as CSV", options.csv));
    command.options.push_back(text("--plot", "FILE.png", "draw the bands' heat map beside the rating over time",
                                   options.plot));
    command.options.push_back(flag("--calibration", "grade every prediction the drills made", options.calibration));
    return command;
}

// The picture may not replace the history it is drawn from.
bool check_plot(const CoachOptions& options, const std::string& path, std::string& error)
{
    if (options.plot == nullptr) return true;
    error = same_file_refusal("--plot", options.plot, {{"--history", path}});
    return error.empty();
}

void print_report(const CoachOptions& options, const CoachReport& report, std::FILE* out)
{
    if (options.csv) {
        print_band_csv(report.skill, out);
        return;
    }
    if (options.calibration) {
        print_calibration(report.calibration, out);
        return;
    }
    print_band_table(report.skill, out);
    std::fprintf(out, "%s\n", rating_line(report.skill).c_str());
    print_weakest(report.skill, out);
}

}  // namespace

std::string coach_usage()
{
    CoachOptions options;
    return usage_of(coach_command(options));
}

bool read_coach_options(int argc, char** argv, std::string& error)
{
    CoachOptions options;
    return read_options(coach_command(options), argc, argv, error);
}

int run_coach(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    CoachOptions options;
    std::string error;
    if (!read_options(coach_command(options), argc, argv, error)) {
        return refuse_options(coach_command(options), error, err);
    }
    if (options.help) return print_help(coach_command(options), out, err);
    std::string path;
    if (!history_to_read(options.history, true, path, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_bad_input;
    }
    if (!check_plot(options, path, error)) return refuse_options(coach_command(options), error, err);
    CoachReport report;
    std::vector<long> skipped;
    if (!read_history_each(path, [&](HistoryRecord& record) { report.add(record); }, skipped, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return options.history != nullptr ? exit_bad_input : exit_failed;
    }
    const std::string warning = skipped_warning(path, skipped);
    if (!warning.empty()) std::fprintf(err, "qmsim: %s\n", warning.c_str());
    print_report(options, report, out);
    if (options.plot != nullptr && !write_coach_plot(report, options.plot, error)) {
        std::fprintf(err, "qmsim: cannot write the picture to %s: %s\n", options.plot, error.c_str());
        return exit_failed;
    }
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace qm
