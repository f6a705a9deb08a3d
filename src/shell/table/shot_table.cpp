// The shot table: the grid read from the command line, the round set up and
// run until both units rest, then the rows shared out among threads, each
// with a shot probe of its own, and printed in grid order.
#include "shell/table/shot_table.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <string_view>
#include <thread>

#include "shell/runner/headless_script.h"
#include "shell/output.h"
#include "sim/shot_probe.h"
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
// A grid larger than this is refused rather than worked on for hours.
constexpr std::size_t max_rows = 1000000;
// Ticks the round may take for both units to land.
constexpr long max_settle_ticks = 10000;
// Decimals a grid value may be printed with.
constexpr int max_decimals = 9;
// Rows a thread takes at a time.
constexpr std::size_t rows_per_claim = 32;

// Digits after the decimal point of a number as typed.
int decimals_of(std::string_view text)
{
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

// A single value A or FROM:TO:STEP, each within [low, high], into the values
// from FROM up to TO (inclusive) printed with as many decimals as the most
// precise of the three.
bool parse_axis(std::string_view text, double low, double high, std::vector<GridValue>& values)
{
    std::string_view parts[3] = {text, text, "1"};
    const std::size_t first = text.find(':');
    if (first != std::string_view::npos) {
        const std::size_t second = text.find(':', first + 1);
        if (second == std::string_view::npos) return false;
        parts[0] = text.substr(0, first);
        parts[1] = text.substr(first + 1, second - first - 1);
        parts[2] = text.substr(second + 1);
    }
    double from = 0.0;
    double to = 0.0;
    double step = 0.0;
    if (!parse_decimal(parts[0], low, high, from) || !parse_decimal(parts[1], low, high, to) ||
        !parse_decimal(parts[2], 0.0, high, step) || from > to || step <= 0.0) {
        return false;
    }

    const int decimals = std::max({decimals_of(parts[0]), decimals_of(parts[1]), decimals_of(parts[2])});
    if (decimals > max_decimals) return false;
    // Counted in whole steps, so that no sum of steps drifts past TO.
    const double span = (to - from) / step;
    if (span >= static_cast<double>(max_rows)) return false;
    const long count = static_cast<long>(std::floor(span + 1e-9)) + 1;
    values.clear();
    for (long i = 0; i < count; ++i) {
        char printed[32];
        std::snprintf(printed, sizeof printed, "%.*f", decimals, from + static_cast<double>(i) * step);
        GridValue v;
        v.text = printed;
        parse_decimal(v.text, low, high, v.value);
        values.push_back(std::move(v));
    }
    return true;
}

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

// Fires every row, the threads taking rows in turns; each result lands in
// its row's place, so the order never depends on the threads.
std::vector<ShotResult> fire_rows(const World& round, const TableOptions& options)
{
    const std::size_t powers = options.powers.size();
    std::vector<ShotResult> rows(options.angles.size() * powers);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        ShotProbe probe(round);
        for (;;) {
            const std::size_t begin = next.fetch_add(rows_per_claim);
            if (begin >= rows.size()) return;
            const std::size_t end = std::min(rows.size(), begin + rows_per_claim);
            for (std::size_t r = begin; r < end; ++r) {
                rows[r] = probe.fire(options.angles[r / powers].value, options.powers[r % powers].value,
                                     options.direction);
            }
        }
    };
    const std::size_t threads = std::min<std::size_t>(static_cast<std::size_t>(options.threads), rows.size());
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
    return rows;
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
    if (!parse_axis(angle, min_aim_angle, max_aim_angle, options.angles)) {
        return fail(error, "bad angle '" + std::string(angle) + "': A or FROM:TO:STEP within 10 to 90, FROM up to TO");
    }
    if (!parse_axis(power, min_aim_power, max_aim_power, options.powers)) {
        return fail(error, "bad power '" + std::string(power) + "': P or FROM:TO:STEP within 0 to 4, FROM up to TO");
    }
    if (options.angles.size() * options.powers.size() > max_rows) {
        return fail(error, "the grid has more than " + std::to_string(max_rows) + " rows");
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
