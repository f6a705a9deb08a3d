// A grid axis as typed on a command line, A or FROM:TO:STEP, into the values
// the shot table and the shot chart fire at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// One value of a grid axis: as printed, and the number the shot uses, which
// is that text read back, so that `aim` with the printed text fires the row.
struct GridValue {
    std::string text;
    double value = 0.0;
};

// A grid larger than this is refused rather than worked on for hours.
constexpr std::size_t max_grid_values = 1000000;

// The values from FROM up to TO (inclusive) in whole steps, each worked out
// when asked: reading an axis of a million values costs no more than one.
class GridAxis {
public:
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    GridValue operator[](std::size_t i) const;
    GridValue front() const { return (*this)[0]; }
    GridValue back() const { return (*this)[count_ - 1]; }

    class Iterator {
    public:
        Iterator(const GridAxis& axis, std::size_t i) : axis_(&axis), i_(i) {}
        GridValue operator*() const { return (*axis_)[i_]; }
        Iterator& operator++()
        {
            ++i_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return i_ != other.i_; }

    private:
        const GridAxis* axis_;
        std::size_t i_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, count_}; }

private:
    friend bool parse_grid_axis(std::string_view text, double low, double high, GridAxis& axis);

    std::int64_t from_units_ = 0;  // in units of the last decimal printed
    std::int64_t step_units_ = 1;
    int decimals_ = 0;
    std::size_t count_ = 0;
};

// A single value A or FROM:TO:STEP, each within [low, high], into the values
// from FROM up to TO (inclusive) printed with as many decimals as the most
// precise of the three; false for anything else.
bool parse_grid_axis(std::string_view text, double low, double high, GridAxis& axis);

}  // namespace qm
