// A grid axis as typed on a command line, A or FROM:TO:STEP, into the values
// the shot table and the shot chart fire at.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// One value of a grid axis: as printed, and the number the shot uses, which
// is that text read back, so that `aim` with the printed text fires the row.
struct GridValue {
    std::string text;
    double value = 0.0;
};

// A grid larger than this is refused rather than worked on for hours.
constexpr std::size_t max_grid_values = 1000000;

// A single value A or FROM:TO:STEP, each within [low, high], into the values
// from FROM up to TO (inclusive) printed with as many decimals as the most
// precise of the three; false for anything else.
bool parse_grid_axis(std::string_view text, double low, double high, std::vector<GridValue>& values);

}  // namespace qm
