// Reading the shot chart's options; every value is checked here, so the run
// itself only meets the map and the files.
#include "cli/chart/chart_options.h"

#include <algorithm>
#include <string_view>
#include <thread>

#include "shell/round_setup.h"
#include "shell/words.h"
#include "sim/shot_control.h"

namespace qm {

namespace {

constexpr const char* default_angle = "45";
constexpr const char* default_powers = "0:4:0.01";
// The default curves: calm, then these strengths each way.
constexpr int default_strengths[] = {5, 10, 15, 20, 25};
constexpr int max_threads = 32;
constexpr std::size_t max_panels = 8;
constexpr std::size_t max_winds = 32;

bool fail(std::string& error, std::string reason)
{
    error = std::move(reason);
    return false;
}

// The items of a comma-separated list, none of them empty.
bool split_list(std::string_view text, std::vector<std::string_view>& items)
{
    items.clear();
    for (;;) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        if (item.empty()) return false;
        items.push_back(item);
        if (comma == std::string_view::npos) return true;
        text = text.substr(comma + 1);
    }
}

bool parse_angles(std::string_view text, std::vector<GridValue>& angles)
{
    std::vector<std::string_view> items;
    if (!split_list(text, items) || items.size() > max_panels) return false;
    angles.clear();
    for (std::string_view item : items) {
        std::vector<GridValue> one;
        if (item.find(':') != std::string_view::npos) return false;
        if (!parse_grid_axis(item, min_aim_angle, max_aim_angle, one)) return false;
        angles.push_back(one.front());
    }
    return true;
}

bool parse_winds(std::string_view text, std::vector<ChartWind>& winds)
{
    std::vector<std::string_view> items;
    if (!split_list(text, items) || items.size() > max_winds) return false;
    winds.clear();
    for (std::string_view item : items) {
        RoundSettings settings;
        if (!parse_wind("fixed:" + std::string(item), settings)) return false;
        winds.push_back({static_cast<int>(settings.wind), static_cast<int>(settings.wang)});
    }
    return true;
}

// Head winds strongest first, calm, then tail winds weakest first: the
// order of the legend, from one end of the colours to the other.
std::vector<ChartWind> default_winds(int direction)
{
    std::vector<ChartWind> winds;
    for (auto s = std::rbegin(default_strengths); s != std::rend(default_strengths); ++s) {
        winds.push_back({*s, wind_against(direction)});
    }
    winds.push_back({0, wind_towards(direction)});
    for (int s : default_strengths) winds.push_back({s, wind_towards(direction)});
    return winds;
}

}  // namespace

const char* const chart_usage =
    "usage: qmsim chart --out FILE.png [--csv FILE] [--map FILE] [--facing left|right]\n"
    "                   [--angle A | --angle A,A,...] [--power FROM:TO:STEP] [--winds S:A,S:A,...] [--threads N]\n";

int wind_towards(int direction) { return direction > 0 ? 0 : 180; }
int wind_against(int direction) { return direction > 0 ? 180 : 0; }

bool parse_chart_options(int argc, char** argv, ChartOptions& options, std::string& error)
{
    options = ChartOptions{};
    const unsigned cores = std::thread::hardware_concurrency();
    options.threads = cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, max_threads));
    const char* angle = default_angle;
    const char* power = default_powers;
    const char* winds = nullptr;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            options.help = true;
            continue;
        }
        if (arg != "--map" && arg != "--facing" && arg != "--angle" && arg != "--power" && arg != "--winds" &&
            arg != "--threads" && arg != "--out" && arg != "--csv") {
            return fail(error, "unknown option '" + std::string(arg) + "'");
        }
        if (i + 1 >= argc) return fail(error, std::string(arg) + " needs a value");
        const char* value = argv[++i];
        const std::string_view v = value;
        if (arg == "--map") {
            options.map = value;
        } else if (arg == "--facing") {
            if (v != "left" && v != "right") return fail(error, "bad facing '" + std::string(v) + "': left or right");
            options.direction = v == "left" ? -1 : 1;
        } else if (arg == "--angle") {
            angle = value;
        } else if (arg == "--power") {
            power = value;
        } else if (arg == "--winds") {
            winds = value;
        } else if (arg == "--out") {
            options.out = value;
        } else if (arg == "--csv") {
            options.csv = value;
        } else {
            long threads = 0;
            if (!parse_whole_number(v, 1, max_threads, threads)) {
                return fail(error, "bad thread count '" + std::string(v) + "': 1 to " + std::to_string(max_threads));
            }
            options.threads = static_cast<int>(threads);
        }
    }
    if (options.help) return true;
    if (!parse_angles(angle, options.angles)) {
        return fail(error, "bad angle '" + std::string(angle) + "': A or A,A,... (at most " +
                               std::to_string(max_panels) + ") within 10 to 90");
    }
    if (!parse_grid_axis(power, min_aim_power, max_aim_power, options.powers) || options.powers.size() < 2) {
        return fail(error, "bad power '" + std::string(power) +
                               "': FROM:TO:STEP within 0 to 4, FROM below TO, at least two powers");
    }
    if (winds == nullptr) {
        options.winds = default_winds(options.direction);
    } else if (!parse_winds(winds, options.winds)) {
        return fail(error, "bad winds '" + std::string(winds) + "': S:A,S:A,... (at most " +
                               std::to_string(max_winds) + ") with S from 0 to 25 and A from 0 to 359");
    }
    if (options.angles.size() * options.winds.size() * options.powers.size() > max_grid_values) {
        return fail(error, "the chart has more than " + std::to_string(max_grid_values) + " shots");
    }
    if (options.out == nullptr) return fail(error, "--out FILE.png is required");
    return true;
}

}  // namespace qm
