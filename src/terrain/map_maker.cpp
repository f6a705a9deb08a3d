// Map making: picture conversion and the procedural sample maps. The samples
// use integer hashing and plain arithmetic only, so every run and every
// machine makes the same files.
#include "terrain/map_maker.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <initializer_list>


namespace qm {

namespace {

// --- Picture conversion ---

// Whether the box of source pixels [x0, x1) by [y0, y1) is dark on average.
bool dark_box(const std::vector<std::uint8_t>& grey, int width, long long x0, long long x1, long long y0,
              long long y1)
{
    long long sum = 0;
    for (long long y = y0; y < y1; ++y) {
        const std::uint8_t* row = grey.data() + y * width;
        for (long long x = x0; x < x1; ++x) sum += row[x];
    }
    return sum < dark_threshold * (x1 - x0) * (y1 - y0);
}

// --- Deterministic value noise ---

std::uint32_t mix(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

// A value in [0, 1) for lattice point i.
double lattice(int i, std::uint32_t seed)
{
    return mix(static_cast<std::uint32_t>(i) * 0x9E3779B9u ^ mix(seed)) / 4294967296.0;
}

// Smoothly interpolated lattice values, one lattice point every `period` columns.
double value_noise(int column, int period, std::uint32_t seed)
{
    const int i = column / period;
    const double t = static_cast<double>(column % period) / period;
    const double s = t * t * (3 - 2 * t);
    return lattice(i, seed) * (1 - s) + lattice(i + 1, seed) * s;
}

struct Octave {
    int period;        // columns between lattice points
    double amplitude;  // share of the sum
};

// Sum of octaves, normalised to [0, 1). Columns are never negative here.
double layered_noise(int column, std::uint32_t seed, std::initializer_list<Octave> octaves)
{
    double sum = 0;
    double total = 0;
    std::uint32_t k = 0;
    for (const Octave& o : octaves) {
        sum += o.amplitude * value_noise(column, o.period, seed * 16 + k++);
        total += o.amplitude;
    }
    return sum / total;
}

void fill_column(MapPicture& p, int column, int from_row, int to_row, std::uint8_t value)
{
    from_row = std::max(from_row, 0);
    to_row = std::min(to_row, p.height);
    for (int r = from_row; r < to_row; ++r) p.at(r, column) = value;
}

// --- Samples ---

constexpr int sample_width = map_max_columns;

// Rolling hills over the whole width.
MapPicture hills()
{
    MapPicture p(sample_width, map_rows);
    for (int c = 0; c < sample_width; ++c) {
        double n = layered_noise(c, 1, {{700, 1.0}, {260, 0.45}, {90, 0.12}, {30, 0.03}});
        fill_column(p, c, 120 + static_cast<int>(520 * n), map_rows, map_terrain);
    }
    return p;
}

// Two cliffs with a bottomless gap between them and floating islands above it.
MapPicture islands()
{
    struct Island {
        int centre;       // column
        int top;          // row of the flat top
        int half_width;   // columns
        int depth;        // rows below the top at the middle
    };
    const Island list[] = {
        {1130, 430, 120, 150}, {1420, 300, 90, 110}, {1620, 380, 140, 190}, {1830, 470, 110, 140}, {2100, 330, 130, 170},
    };
    constexpr int left_cliff = 880;
    constexpr int right_cliff = 2340;

    MapPicture p(sample_width, map_rows);
    for (int c = 0; c < sample_width; ++c) {
        if (c < left_cliff || c >= right_cliff) {
            double n = layered_noise(c, 2, {{300, 1.0}, {80, 0.3}, {20, 0.1}});
            fill_column(p, c, 330 + static_cast<int>(160 * n), map_rows, map_terrain);
        }
        for (const Island& island : list) {
            double d = static_cast<double>(c - island.centre) / island.half_width;
            double w = 1 - d * d;
            if (w <= 0) continue;
            double rough = layered_noise(c, 3, {{40, 1.0}, {12, 0.5}});
            int top = island.top - static_cast<int>(14 * w) + static_cast<int>(8 * (rough - 0.5));
            int bottom = island.top + static_cast<int>(island.depth * w * (0.55 + 0.45 * rough));
            fill_column(p, c, top, bottom, map_terrain);
        }
    }
    return p;
}

// A hilly crust over a long winding cave, reached by two shafts.
MapPicture cave()
{
    constexpr int cave_start = 250;
    constexpr int cave_end = 2950;
    constexpr int taper = 120;  // columns over which the cave narrows to its ends
    const int shafts[] = {700, 2500};
    constexpr int shaft_half_width = 25;

    MapPicture p(sample_width, map_rows);
    for (int c = 0; c < sample_width; ++c) {
        int surface = 110 + static_cast<int>(120 * layered_noise(c, 4, {{500, 1.0}, {150, 0.4}, {40, 0.1}}));
        fill_column(p, c, surface, map_rows, map_terrain);
        if (c < cave_start || c >= cave_end) continue;
        int centre = 410 + static_cast<int>(180 * layered_noise(c, 5, {{600, 1.0}, {200, 0.5}}));
        double narrowing = std::min({1.0, static_cast<double>(c - cave_start) / taper,
                                     static_cast<double>(cave_end - c) / taper});
        int half_height =
            static_cast<int>(narrowing * (35 + 70 * layered_noise(c, 6, {{250, 1.0}, {60, 0.4}, {15, 0.1}})));
        fill_column(p, c, centre - half_height, centre + half_height, map_empty);
        for (int shaft : shafts) {
            if (c >= shaft - shaft_half_width && c < shaft + shaft_half_width) {
                fill_column(p, c, surface, centre, map_empty);
            }
        }
    }
    return p;
}

// Gentle ground with one narrow tower between the two starting points.
MapPicture tower()
{
    constexpr int tower_left = 1675;
    constexpr int tower_right = 1725;  // exclusive
    constexpr int tower_top = 110;
    constexpr int merlon_height = 16;
    constexpr int merlon_width = 10;
    constexpr int base_left = 1655;
    constexpr int base_right = 1745;
    constexpr int base_top = 560;

    MapPicture p(sample_width, map_rows);
    for (int c = 0; c < sample_width; ++c) {
        double n = layered_noise(c, 7, {{400, 1.0}, {100, 0.3}, {25, 0.1}});
        fill_column(p, c, 560 + static_cast<int>(80 * n), map_rows, map_terrain);
        if (c >= base_left && c < base_right) fill_column(p, c, base_top, map_rows, map_terrain);
        if (c >= tower_left && c < tower_right) {
            // Battlements: every other 10-column block stands 16 rows higher.
            bool merlon = (c - tower_left) / merlon_width % 2 == 0;
            fill_column(p, c, merlon ? tower_top : tower_top + merlon_height, map_rows, map_terrain);
        }
    }
    return p;
}

}  // namespace

MapPicture map_from_grey(const std::vector<std::uint8_t>& grey, int width, int height)
{
    assert(width > 0 && height > 0 && grey.size() >= static_cast<std::size_t>(width) * height);
    // Width after scaling to 800 rows, rounded to the nearest column.
    const long long scaled = std::max(1LL, (static_cast<long long>(width) * map_rows + height / 2) / height);
    const long long first = scaled > map_max_columns ? (scaled - map_max_columns) / 2 : 0;
    const int kept = static_cast<int>(std::min<long long>(scaled, map_max_columns));

    MapPicture out((kept + 7) / 8 * 8, map_rows, map_empty);
    for (int r = 0; r < map_rows; ++r) {
        // Each output pixel averages the box of source pixels it covers.
        long long y0 = static_cast<long long>(r) * height / map_rows;
        long long y1 = std::max(y0 + 1, static_cast<long long>(r + 1) * height / map_rows);
        for (int c = 0; c < kept; ++c) {
            long long sc = first + c;
            long long x0 = sc * width / scaled;
            long long x1 = std::max(x0 + 1, (sc + 1) * width / scaled);
            if (dark_box(grey, width, x0, x1, y0, y1)) out.at(r, c) = map_terrain;
        }
    }
    return out;
}

std::vector<SampleMap> sample_maps()
{
    std::vector<SampleMap> maps;
    maps.push_back({"hills.bmp", hills()});
    maps.push_back({"islands.bmp", islands()});
    maps.push_back({"cave.bmp", cave()});
    maps.push_back({"tower.bmp", tower()});
    return maps;
}

}  // namespace qm
