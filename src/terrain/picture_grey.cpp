// Grey levels of colours by tables of linear light computed at compile time
// with plain arithmetic (no library power function, whose last bit may
// differ between platforms).
#include "terrain/picture_grey.h"

#include <algorithm>
#include <array>

namespace qm {

namespace {

// Natural logarithm for 0 < x <= 1: halved into [0.5, 1), then the series
// of 2 atanh((m - 1) / (m + 1)).
constexpr double ln(double x)
{
    constexpr double ln2 = 0.69314718055994530942;
    int twos = 0;
    while (x < 0.5) {
        x *= 2;
        ++twos;
    }
    const double t = (x - 1) / (x + 1);
    double term = t;
    double sum = 0;
    for (int k = 1; k < 80; k += 2) {
        sum += term / k;
        term *= t * t;
    }
    return 2 * sum - twos * ln2;
}

// e to the x for -2 < x <= 0, by its series.
constexpr double exp_small(double x)
{
    double term = 1;
    double sum = 1;
    for (int k = 1; k < 40; ++k) {
        term *= x / k;
        sum += term;
    }
    return sum;
}

// sRGB's decoding of an encoded level e (0 to 1) into linear light.
constexpr double linear(double e)
{
    if (e <= 0.04045) return e / 12.92;
    const double x = (e + 0.055) / 1.055;
    return x * x * exp_small(0.4 * ln(x));  // x to the 2.4
}

// Linear light in units of 1 / 2^32: exact enough that the boundaries
// between grey levels fall as in double arithmetic.
constexpr double unit = 4294967296.0;
constexpr long long fixed(double v) { return static_cast<long long>(v * unit + 0.5); }

// Luminance weights in ten-thousandths (they sum to 10000).
constexpr long long weight_red = 2126, weight_green = 7152, weight_blue = 722, weight_sum = 10000;

constexpr std::array<long long, 256> linear_of_level = [] {
    std::array<long long, 256> table{};
    for (int v = 0; v < 256; ++v) table[static_cast<std::size_t>(v)] = fixed(linear(v / 255.0));
    return table;
}();

// boundary[g] is where grey level g begins (g from 1): the luminance,
// weighted and times 255, of the encoded level g - 1/2. A colour's level is
// the number of boundaries at or below its luminance.
constexpr std::array<long long, 256> boundary = [] {
    std::array<long long, 256> table{};
    for (int g = 1; g < 256; ++g) table[static_cast<std::size_t>(g)] = fixed(linear((g - 0.5) / 255.0)) * weight_sum * 255;
    return table;
}();

// The weighted luminance laid over white by alpha, times 255.
long long luminance_over_white(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha)
{
    const long long y = weight_red * linear_of_level[red] + weight_green * linear_of_level[green] +
                        weight_blue * linear_of_level[blue];
    return y * alpha + weight_sum * linear_of_level[255] * (255 - alpha);
}

}  // namespace

std::uint8_t grey_level(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha)
{
    const long long y = luminance_over_white(red, green, blue, alpha);
    return static_cast<std::uint8_t>(std::upper_bound(boundary.begin() + 1, boundary.end(), y) - boundary.begin() - 1);
}

bool is_dark(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha)
{
    return luminance_over_white(red, green, blue, alpha) < boundary[dark_threshold];
}

}  // namespace qm
