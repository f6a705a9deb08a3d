// Tick steps and tick labels: round steps of 1, 2 or 5 times a power of ten,
// and their values printed without the C library, so every build agrees.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "raster/plot/plot.h"

namespace qm::plot {

namespace {

constexpr double mantissas[] = {1.0, 2.0, 5.0};
// Tick values within this fraction of a step outside a range still count.
constexpr double edge_slack = 1e-9;
constexpr int max_decimals = 9;

// Decimals that print every multiple of step exactly.
int decimals_for(double step)
{
    int decimals = 0;
    double scaled = step;
    while (decimals < max_decimals && std::fabs(scaled - std::round(scaled)) > 1e-6 * scaled) {
        scaled *= 10.0;
        ++decimals;
    }
    return decimals;
}

}  // namespace

double nice_step(double span, int max_ticks)
{
    if (!(span > 0.0) || max_ticks < 1) return 1.0;
    const double rough = span / max_ticks;
    double power = std::pow(10.0, std::floor(std::log10(rough)));
    // Step up through 1, 2, 5, 10, 20 ... until the span fits.
    for (;;) {
        for (double m : mantissas) {
            const double step = m * power;
            if (span / step <= max_ticks * (1.0 + edge_slack)) return step;
        }
        power *= 10.0;
    }
}

std::vector<double> ticks(Range range, double step)
{
    std::vector<double> values;
    if (!(step > 0.0) || !(range.hi >= range.lo)) return values;
    const double first = std::ceil(range.lo / step - edge_slack);
    const double last = std::floor(range.hi / step + edge_slack);
    for (double k = first; k <= last; k += 1.0) values.push_back(k * step);
    return values;
}

int format_tick(double value, double step, char* out, int size)
{
    const int decimals = decimals_for(step);
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i) scale *= 10.0;
    long long units = std::llround(value * scale);
    const bool negative = units < 0;
    if (negative) units = -units;
    // Digits from the last, with the point after `decimals` of them.
    char reversed[32];
    int n = 0;
    do {
        if (n == decimals && decimals > 0) reversed[n++] = '.';
        reversed[n++] = static_cast<char>('0' + units % 10);
        units /= 10;
    } while (units > 0 || n <= decimals);
    if (negative) reversed[n++] = '-';
    const int length = std::min(n, size - 1);
    for (int i = 0; i < length; ++i) out[i] = reversed[n - 1 - i];
    out[length] = '\0';
    return length;
}

std::string tick_text(double value, double step)
{
    char text[32];
    const int n = format_tick(value, step, text, sizeof text);
    return std::string(text, static_cast<std::size_t>(n));
}

}  // namespace qm::plot
