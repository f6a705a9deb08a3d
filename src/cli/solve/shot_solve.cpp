// The solver: the angles read from the command line, the round set up and
// run until both units rest, then every power 0.00 to 4.00 at each angle
// fired by the shot engine, a block of angles at a time, and each angle's
// hit window printed in order.
#include "cli/solve/shot_solve.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "cli/options.h"
#include "cli/output.h"
#include "cli/shot_options.h"
#include "shell/exit_codes.h"
#include "sim/hit_window.h"
#include "sim/shot_control.h"
#include "sim/shot_engine.h"
#include "sim/shot_record.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr const char* header = "angle,best,best_damage,low,high\n";
constexpr const char* default_angle = "45";
// Angles fired together: enough to keep every thread busy, few enough that
// the results of a long list never pile up.
constexpr std::size_t angles_per_block = 64;

void write_row(const GridValue& angle, const HitWindow& w, std::FILE* out)
{
    if (w.reaches) {
        std::fprintf(out, "%s,%.2f,%d,%.2f,%.2f\n", angle.text.c_str(), w.best_power(), w.best_damage,
                     w.low_power(), w.high_power());
    } else {
        std::fprintf(out, "%s,,,,\n", angle.text.c_str());
    }
}

// Fires angles from to to - 1 and writes their rows; false once the output
// refuses.
bool solve_block(const World& round, const std::vector<ShotStart>& starts, const SolveOptions& options,
                 std::size_t from, std::size_t to, std::FILE* out)
{
    std::vector<Shot> shots;
    shots.reserve((to - from) * finder_powers);
    for (std::size_t a = from; a < to; ++a) {
        const double angle = options.angles[a].value;
        for (int k = 0; k < finder_powers; ++k) shots.push_back({0, angle, k / finder_steps_per_unit});
    }
    const std::vector<ShotResult> results = fire_shots(round, starts, shots, options.direction, options.threads);
    for (std::size_t a = from; a < to; ++a) {
        if (std::ferror(out)) return false;
        const ShotResult* ladder = results.data() + (a - from) * finder_powers;
        write_row(options.angles[a], window_of(ladder, finder_powers, finder_steps_per_unit), out);
    }
    return true;
}

Command solve_command(SolveOptions& options)
{
    Command command{"qmsim solve", "solve: ", ""};
    command.options.push_back(flag("--help", "", options.help).unlisted());
    command.options.push_back(map_option(options.round));
    command.options.push_back(fixed_wind_option("solve needs", options.round));
    command.options.push_back(facing_option(options.direction));
    command.options.push_back(axis_option("--angle", "A|FROM:TO:STEP", "angle",
                                          "A or FROM:TO:STEP within " + aim_angle_range() + ", FROM up to TO",
                                          "the angles, degrees", min_aim_angle, max_aim_angle, options.angles)
                                  .defaulting_to(default_angle)
                                  .shown_as("[--angle A | --angle FROM:TO:STEP]")
                                  .on_new_line());
    command.options.push_back(threads_option(options.threads));
    return command;
}

}  // namespace

std::string solve_usage()
{
    SolveOptions options;
    return usage_of(solve_command(options));
}

bool parse_solve_options(int argc, char** argv, SolveOptions& options, std::string& error)
{
    options = SolveOptions{};
    options.round.random_wind = 0;
    return read_options(solve_command(options), argc, argv, error);
}

int run_solve(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    SolveOptions options;
    std::string error;
    if (!parse_solve_options(argc, argv, options, error)) return refuse_options(solve_command(options), error, err);
    if (options.help) return print_help(solve_command(options), out, err);

    const std::unique_ptr<World> round = settled_round(options.round, "solve", err);
    if (!round) return exit_bad_input;
    std::vector<ShotStart> starts;
    starts.emplace_back(*round);
    std::fputs(header, out);
    for (std::size_t from = 0; from < options.angles.size(); from += angles_per_block) {
        const std::size_t to = std::min(options.angles.size(), from + angles_per_block);
        if (!solve_block(*round, starts, options, from, to, out)) break;
    }
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace qm
