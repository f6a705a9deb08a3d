// Reading the shot chart's options; every value is checked here, so the run
// itself only meets the map and the files.
#include "cli/chart/chart_options.h"

#include <string_view>

#include "cli/output.h"
#include "cli/shot_options.h"
#include "shell/round_setup.h"
#include "sim/shot_control.h"

namespace qm {

namespace {

constexpr const char* default_angle = "45";
constexpr const char* default_powers = "0:4:0.01";
// The default curves: calm, then these strengths each way.
constexpr int default_strengths[] = {5, 10, 15, 20, 25};
constexpr std::size_t max_panels = 8;
constexpr std::size_t max_winds = 32;

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
        GridAxis one;
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

// Neither file written may be the map read, nor the other file written.
bool outputs_apart(const ChartOptions& options, std::string& error)
{
    std::vector<CommandInput> inputs;
    if (options.map != nullptr) inputs.push_back({"--map", options.map});
    error = same_file_refusal("--out", options.out, inputs);
    if (error.empty() && options.csv != nullptr) {
        inputs.push_back({"--out", options.out});
        error = same_file_refusal("--csv", options.csv, inputs);
    }
    return error.empty();
}

}  // namespace

int wind_towards(int direction) { return direction > 0 ? 0 : 180; }
int wind_against(int direction) { return direction > 0 ? 180 : 0; }

Command chart_command(ChartOptions& options)
{
    Command command{"qmsim chart", "chart: ", ""};
    command.options.push_back(flag("--help", "", options.help).unlisted());
    command.options.push_back(text("--out", "FILE.png", "the picture to write", options.out).shown_as("--out FILE.png"));
    command.options.push_back(text("--csv", "FILE", "the curves' shots as CSV as well", options.csv));
    command.options.push_back(text("--map", "FILE", "the map to fire on (default: the flat map)", options.map));
    command.options.push_back(facing_option(options.direction));
    command.options.push_back(custom("--angle", "A|A,A,...", "angle",
                                     "A or A,A,... (at most " + std::to_string(max_panels) + ") within " +
                                         aim_angle_range(),
                                     "the angles, degrees, a panel each",
                                     [&options](const char* value, std::string&) {
                                         return parse_angles(value, options.angles);
                                     })
                                  .defaulting_to(default_angle)
                                  .shown_as("[--angle A | --angle A,A,...]")
                                  .on_new_line());
    command.options.push_back(custom("--power", "FROM:TO:STEP", "power",
                                     "FROM:TO:STEP within " + aim_power_range() + ", FROM below TO, at least two powers",
                                     "the powers", [&options](const char* value, std::string&) {
                                         return parse_grid_axis(value, min_aim_power, max_aim_power, options.powers) &&
                                                options.powers.size() >= 2;
                                     })
                                  .defaulting_to(default_powers));
    command.options.push_back(custom("--winds", "S:A,S:A,...", "winds",
                                     "S:A,S:A,... (at most " + std::to_string(max_winds) + ") with " +
                                         fixed_wind_ranges(),
                                     "the winds, a curve each (default: calm and 5 to 25 each way)",
                                     [&options](const char* value, std::string&) {
                                         return parse_winds(value, options.winds);
                                     }));
    command.options.push_back(threads_option(options.threads));
    return command;
}

std::string chart_usage()
{
    ChartOptions options;
    return usage_of(chart_command(options));
}

bool parse_chart_options(int argc, char** argv, ChartOptions& options, std::string& error)
{
    options = ChartOptions{};
    if (!read_options(chart_command(options), argc, argv, error)) return false;
    if (options.help) return true;
    // No list of winds is empty, so none was given.
    if (options.winds.empty()) options.winds = default_winds(options.direction);
    if (options.angles.size() * options.winds.size() * options.powers.size() > max_grid_values) {
        error = "the chart has more than " + std::to_string(max_grid_values) + " shots";
        return false;
    }
    if (options.out == nullptr) {
        error = "--out FILE.png is required";
        return false;
    }
    return outputs_apart(options, error);
}

}  // namespace qm
