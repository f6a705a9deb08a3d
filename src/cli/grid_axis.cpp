// Grid axes: values counted in whole steps from FROM, printed with the
// decimals typed and read back from that print.
#include "cli/grid_axis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "shell/words.h"

namespace qm {

namespace {

// Decimals a grid value may be printed with.
constexpr int max_decimals = 9;

// Digits after the decimal point of a number as typed.
int decimals_of(std::string_view text)
{
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

}  // namespace

bool parse_grid_axis(std::string_view text, double low, double high, std::vector<GridValue>& values)
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
    if (span >= static_cast<double>(max_grid_values)) return false;
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

}  // namespace qm
