// Grid axes: values counted in whole steps from FROM, printed with the
// decimals typed and read back from that print. Each value is a whole
// number of units of the last decimal typed, so counting, printing and
// reading back are exact integer work: the count never passes TO, and a
// value is the double nearest its print, as reading the print would give.
#include "cli/grid_axis.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "formats/words.h"

namespace qm {

namespace {

// Decimals a grid value may be printed with.
constexpr int max_decimals = 9;
constexpr double powers_of_ten[max_decimals + 1] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// Digits after the decimal point of a number as typed.
int decimals_of(std::string_view text)
{
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

// A number as parse_decimal took it (digits with at most one point), in
// units of 10^-decimals.
std::int64_t units_of(std::string_view text, int decimals)
{
    std::int64_t units = 0;
    int after_point = -1;
    for (char c : text) {
        if (c == '.') {
            after_point = 0;
            continue;
        }
        units = units * 10 + (c - '0');
        if (after_point >= 0) ++after_point;
    }
    for (int d = std::max(after_point, 0); d < decimals; ++d) units *= 10;
    return units;
}

// The value `units` printed with `decimals` decimals, as printf's %.*f
// prints the number it stands for.
std::string printed(std::int64_t units, int decimals)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, units).ptr;
    std::string text(digits, end);
    if (decimals == 0) return text;
    if (text.size() <= static_cast<std::size_t>(decimals)) text.insert(0, decimals + 1 - text.size(), '0');
    text.insert(text.size() - decimals, 1, '.');
    return text;
}

}  // namespace

GridValue GridAxis::operator[](std::size_t i) const
{
    const std::int64_t units = from_units_ + static_cast<std::int64_t>(i) * step_units_;
    // Both exact in a double, so the quotient is the double nearest the
    // print, as strtod reads it.
    return {printed(units, decimals_), static_cast<double>(units) / powers_of_ten[decimals_]};
}

bool parse_grid_axis(std::string_view text, double low, double high, GridAxis& axis)
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
    const std::int64_t from_units = units_of(parts[0], decimals);
    const std::int64_t step_units = units_of(parts[2], decimals);
    const std::int64_t steps = (units_of(parts[1], decimals) - from_units) / step_units;
    if (steps >= static_cast<std::int64_t>(max_grid_values)) return false;
    axis.from_units_ = from_units;
    axis.step_units_ = step_units;
    axis.decimals_ = decimals;
    axis.count_ = static_cast<std::size_t>(steps) + 1;
    return true;
}

}  // namespace qm
