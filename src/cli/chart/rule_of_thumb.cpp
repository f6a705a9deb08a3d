// Reading the rule of thumb off the curves: a distance's power is a grid
// power whose shot was fired, never an interpolation, so firing it lands
// within a power step of the distance.
#include "cli/chart/rule_of_thumb.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "raster/plot/plot.h"

namespace qm {

namespace {

constexpr const char* out_of_reach = "out of reach";
constexpr const char* no_column = "--";
constexpr int label_columns = 14;
constexpr int value_columns = 8;

// The power step's decimals, as typed.
double print_step(const ChartOptions& options)
{
    const std::string text = options.powers.front().text;
    const std::size_t point = text.find('.');
    const std::size_t decimals = point == std::string::npos ? 0 : text.size() - point - 1;
    double step = 1.0;
    for (std::size_t i = 0; i < decimals; ++i) step /= 10.0;
    return step;
}

std::string signed_text(double value, double step)
{
    const std::string text = plot::tick_text(value, step);
    return text.front() == '-' ? text : "+" + text;
}

std::optional<double> wind_correction(const ChartOptions& options, const std::vector<const ChartCurve*>& curves,
                                      int distance, int towards_angle)
{
    std::optional<double> calm;
    int strongest = 0;
    double strongest_power = 0.0;
    for (const ChartCurve* curve : curves) {
        const ChartWind& wind = options.winds[curve->wind];
        const std::optional<std::size_t> p = power_for_distance(*curve, options.direction, distance);
        if (!p) continue;
        const double power = options.powers[*p].value;
        if (wind.strength == 0) calm = power;
        if (wind.strength > strongest && wind.angle == towards_angle) {
            strongest = wind.strength;
            strongest_power = power;
        }
    }
    if (!calm || strongest == 0) return std::nullopt;
    return (strongest_power - *calm) * thumb_wind_step / strongest;
}

std::string pad(std::string text, std::size_t width)
{
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

std::optional<std::size_t> power_for_distance(const ChartCurve& curve, int direction, int distance)
{
    // The first pair of neighbouring struck shots either side of the
    // distance, and of the two the one nearer it: a distance with no target
    // has no contact point to be nearest to.
    for (std::size_t i = 1; i < curve.shots.size(); ++i) {
        const ShotResult& low = curve.shots[i - 1];
        const ShotResult& high = curve.shots[i];
        if (!low.struck || !high.struck) continue;
        const int d0 = shot_distance(low, direction);
        const int d1 = shot_distance(high, direction);
        if (std::min(d0, d1) > distance || std::max(d0, d1) < distance) continue;
        return std::abs(d0 - distance) <= std::abs(d1 - distance) ? i - 1 : i;
    }
    return std::nullopt;
}

std::string wind_label(const ChartWind& wind, int direction)
{
    if (wind.strength == 0) return "calm";
    if (wind.angle == wind_towards(direction)) return std::to_string(wind.strength) + " towards";
    if (wind.angle == wind_against(direction)) return std::to_string(wind.strength) + " against";
    return std::to_string(wind.strength) + ":" + std::to_string(wind.angle);
}

ThumbRule thumb_rule(const ChartOptions& options, const std::vector<const ChartCurve*>& curves)
{
    ThumbRule rule;
    for (const ChartCurve* curve : curves) {
        ThumbRow row;
        row.label = wind_label(options.winds[curve->wind], options.direction);
        for (int d = 0; d < thumb_distance_count; ++d) {
            row.power[d] = power_for_distance(*curve, options.direction, thumb_distances[d]);
        }
        rule.rows.push_back(row);
    }
    for (int d = 0; d < thumb_distance_count; ++d) {
        rule.towards[d] = wind_correction(options, curves, thumb_distances[d], wind_towards(options.direction));
        rule.against[d] = wind_correction(options, curves, thumb_distances[d], wind_against(options.direction));
    }
    return rule;
}

std::vector<std::string> thumb_lines(const ChartOptions& options, const ThumbRule& rule, const std::string& prefix)
{
    std::vector<std::string> lines;
    for (const ThumbRow& row : rule.rows) {
        std::string line = prefix + "wind " + row.label + ":";
        for (int d = 0; d < thumb_distance_count; ++d) {
            line += (d == 0 ? " " : ", ") + std::to_string(thumb_distances[d]) + " px " +
                    (row.power[d] ? options.powers[*row.power[d]].text : out_of_reach);
        }
        lines.push_back(line);
    }
    const double step = print_step(options);
    auto correction = [&](const char* way, const std::optional<double>* values) {
        std::string line = prefix + "per " + std::to_string(thumb_wind_step) + " wind " + way + ":";
        for (int d = 0; d < thumb_distance_count; ++d) {
            line += (d == 0 ? " " : ", ") + std::to_string(thumb_distances[d]) + " px " +
                    (values[d] ? signed_text(*values[d], step) : "unknown");
        }
        lines.push_back(line);
    };
    correction("towards", rule.towards);
    correction("against", rule.against);
    return lines;
}

std::vector<std::string> thumb_columns(const ChartOptions& options, const ThumbRule& rule)
{
    std::vector<std::string> lines;
    std::string head = pad("power for", label_columns);
    for (int d : thumb_distances) head += pad(std::to_string(d) + " px", value_columns);
    lines.push_back(head);
    for (const ThumbRow& row : rule.rows) {
        std::string line = pad(row.label, label_columns);
        for (int d = 0; d < thumb_distance_count; ++d) {
            line += pad(row.power[d] ? options.powers[*row.power[d]].text : no_column, value_columns);
        }
        lines.push_back(line);
    }
    const double step = print_step(options);
    auto correction = [&](const char* way, const std::optional<double>* values) {
        std::string line = pad("per 5 " + std::string(way), label_columns);
        for (int d = 0; d < thumb_distance_count; ++d) {
            line += pad(values[d] ? signed_text(*values[d], step) : no_column, value_columns);
        }
        lines.push_back(line);
    };
    correction("towards", rule.towards);
    correction("against", rule.against);
    lines.push_back(std::string(no_column) + ": out of reach at this angle and wind");
    return lines;
}

}  // namespace qm
