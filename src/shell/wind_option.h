// The --wind option shared by the headless runner and the desktop's quick
// start: random:N (the wind changes every N turns) or fixed:S:A (strength S,
// direction A degrees), within the ranges the configuration dialog offers.
#pragma once

#include <string_view>

namespace qm {

struct WindChoice {
    // The configuration dialog's defaults: random wind changing every 3 shots.
    int random_wind = 1;
    int wind_change_turn = 3;
    double wind = 0.0;  // fixed wind only
    double wang = 0.0;  // fixed wind only
};

// The reason given for a value parse_wind_option refuses.
constexpr const char* wind_option_ranges =
    "random:N with N from 1 to 20, or fixed:S:A with S from 0 to 25 and A from 0 to 359";

// Reads the whole of text into choice; false (choice untouched) when it is
// not a valid value.
bool parse_wind_option(std::string_view text, WindChoice& choice);

}  // namespace qm
