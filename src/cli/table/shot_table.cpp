// The shot table: the grid read from the command line, the round set up and
// run until both units rest, then the rows fired by the shot engine and
// printed in grid order.
#include "cli/table/shot_table.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "cli/output.h"
#include "cli/shot_options.h"
#include "shell/exit_codes.h"
#include "sim/shot_control.h"
#include "sim/shot_engine.h"
#include "sim/shot_record.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr const char* header = "angle,power,impact_x,impact_y,dx,dy,flight_ticks,target_damage\n";

constexpr const char* default_angle = "45";
constexpr const char* default_powers = "0:4:0.01";

// Writes the table, stopping at the first row the output refuses.
void write_table(const TableOptions& options, const std::vector<ShotResult>& rows, std::FILE* out)
{
    std::fputs(header, out);
    std::size_t r = 0;
    for (const GridValue& angle : options.angles) {
        for (const GridValue& power : options.powers) {
            if (std::ferror(out)) return;
            const ShotResult& shot = rows[r++];
            if (shot.struck) {
                std::fprintf(out, "%s,%s,%d,%d,%d,%d,%d,%d\n", angle.text.c_str(), power.text.c_str(), shot.x,
                             shot.y, shot.dx, shot.dy, shot.flight_ticks, shot.target_damage);
            } else {
                // A shell that never struck within the limit has no impact.
                std::fprintf(out, "%s,%s,,,,,,\n", angle.text.c_str(), power.text.c_str());
            }
        }
    }
}

// Every row from the one settled round, in grid order.
std::vector<ShotResult> fire_rows(const World& round, const TableOptions& options)
{
    std::vector<ShotStart> starts;
    starts.emplace_back(round);
    std::vector<Shot> shots;
    shots.reserve(options.angles.size() * options.powers.size());
    for (const GridValue& angle : options.angles) {
        for (const GridValue& power : options.powers) shots.push_back({0, angle.value, power.value});
    }
    return fire_shots(round, starts, shots, options.direction, options.threads);
}

}  // namespace

namespace {

Command table_command(TableOptions& options)
{
    Command command{"qmsim table", "table: ", ""};
    command.options.push_back(flag("--help", "", options.help).unlisted());
    command.options.push_back(map_option(options.round));
    command.options.push_back(fixed_wind_option("a table needs", options.round));
    command.options.push_back(facing_option(options.direction));
    command.options.push_back(axis_option("--angle", "A|FROM:TO:STEP", "angle",
                                          "A or FROM:TO:STEP within " + aim_angle_range() + ", FROM up to TO",
                                          "the angles, degrees", min_aim_angle, max_aim_angle, options.angles)
                                  .defaulting_to(default_angle)
                                  .shown_as("[--angle A | --angle FROM:TO:STEP]")
                                  .on_new_line());
    command.options.push_back(axis_option("--power", "FROM:TO:STEP", "power",
                                          "P or FROM:TO:STEP within " + aim_power_range() + ", FROM up to TO",
                                          "the powers", min_aim_power, max_aim_power, options.powers)
                                  .defaulting_to(default_powers));
    command.options.push_back(threads_option(options.threads));
    return command;
}

}  // namespace

std::string table_usage()
{
    TableOptions options;
    return usage_of(table_command(options));
}

bool parse_table_options(int argc, char** argv, TableOptions& options, std::string& error)
{
    options = TableOptions{};
    options.round.random_wind = 0;
    if (!read_options(table_command(options), argc, argv, error)) return false;
    if (options.angles.size() * options.powers.size() > max_grid_values) {
        error = "the grid has more than " + std::to_string(max_grid_values) + " rows";
        return false;
    }
    return true;
}

int run_table(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    TableOptions options;
    std::string error;
    if (!parse_table_options(argc, argv, options, error)) return refuse_options(table_command(options), error, err);
    if (options.help) return print_help(table_command(options), out, err);

    const std::unique_ptr<World> round = settled_round(options.round, "table", err);
    if (!round) return exit_bad_input;
    write_table(options, fire_rows(*round, options), out);
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace qm
