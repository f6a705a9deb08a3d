// The shot table: the grid read from the command line, the round set up and
// run until both units rest, then the rows fired by the shot engine and
// printed in grid order.
#include "cli/table/shot_table.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string_view>
#include <thread>

#include "sim/shot_engine.h"
#include "cli/output.h"
#include "shell/words.h"
#include "sim/shot_control.h"
#include "sim/shot_record.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr const char* usage =
    "usage: qmsim table [--map FILE] [--wind fixed:S:A] [--facing left|right]\n"
    "                   [--angle A | --angle FROM:TO:STEP] [--power FROM:TO:STEP] [--threads N]\n";

constexpr const char* header = "angle,power,impact_x,impact_y,dx,dy,flight_ticks,target_damage\n";

constexpr int exit_ok = 0;
constexpr int exit_failed = 1;
constexpr int exit_bad_input = 2;

constexpr const char* default_angle = "45";
constexpr const char* default_powers = "0:4:0.01";
constexpr int max_threads = 32;

bool fail(std::string& error, std::string reason)
{
    error = std::move(reason);
    return false;
}

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

bool parse_table_options(int argc, char** argv, TableOptions& options, std::string& error)
{
    options = TableOptions{};
    options.round.random_wind = 0;
    const unsigned cores = std::thread::hardware_concurrency();
    options.threads = cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, max_threads));
    const char* angle = default_angle;
    const char* power = default_powers;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            options.help = true;
            continue;
        }
        if (arg != "--map" && arg != "--wind" && arg != "--facing" && arg != "--angle" && arg != "--power" &&
            arg != "--threads") {
            return fail(error, "unknown option '" + std::string(arg) + "'");
        }
        if (i + 1 >= argc) return fail(error, std::string(arg) + " needs a value");
        const char* value = argv[++i];
        const std::string_view v = value;
        if (arg == "--map") {
            options.round.map = value;
        } else if (arg == "--wind") {
            if (!parse_wind(v, options.round) || options.round.random_wind != 0) {
                return fail(error, "bad wind '" + std::string(v) +
                                       "': a table needs fixed:S:A with S from 0 to 25 and A from 0 to 359");
            }
        } else if (arg == "--facing") {
            if (v != "left" && v != "right") return fail(error, "bad facing '" + std::string(v) + "': left or right");
            options.direction = v == "left" ? -1 : 1;
        } else if (arg == "--angle") {
            angle = value;
        } else if (arg == "--power") {
            power = value;
        } else {
            long threads = 0;
            if (!parse_whole_number(v, 1, max_threads, threads)) {
                return fail(error, "bad thread count '" + std::string(v) + "': 1 to " + std::to_string(max_threads));
            }
            options.threads = static_cast<int>(threads);
        }
    }
    if (!parse_grid_axis(angle, min_aim_angle, max_aim_angle, options.angles)) {
        return fail(error, "bad angle '" + std::string(angle) + "': A or FROM:TO:STEP within 10 to 90, FROM up to TO");
    }
    if (!parse_grid_axis(power, min_aim_power, max_aim_power, options.powers)) {
        return fail(error, "bad power '" + std::string(power) + "': P or FROM:TO:STEP within 0 to 4, FROM up to TO");
    }
    if (options.angles.size() * options.powers.size() > max_grid_values) {
        return fail(error, "the grid has more than " + std::to_string(max_grid_values) + " rows");
    }
    return true;
}

int run_table(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    TableOptions options;
    std::string error;
    if (!parse_table_options(argc, argv, options, error)) {
        std::fprintf(err, "qmsim: table: %s\n%s", error.c_str(), usage);
        return exit_bad_input;
    }
    if (options.help) {
        std::fputs(usage, out);
        return output_flushed(out, err) ? exit_ok : exit_failed;
    }

    // The world is far too large for the stack.
    auto round = std::make_unique<World>();
    if (!set_up_round(*round, options.round, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_bad_input;
    }
    run_until_rest(*round, max_settle_ticks);
    if (!round_at_rest(*round)) {
        std::fprintf(err, "qmsim: table: the units do not come to rest within %ld ticks on this map\n",
                     max_settle_ticks);
        return exit_bad_input;
    }
    write_table(options, fire_rows(*round, options), out);
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace qm
