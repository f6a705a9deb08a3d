// Parsing of the --wind option's value.
#include "shell/wind_option.h"

#include <charconv>

namespace qm {

namespace {

// The ranges the configuration dialog offers.
constexpr int min_turns = 1;
constexpr int max_turns = 20;
constexpr int max_fixed_wind = 25;
constexpr int max_fixed_wang = 359;

// A whole number without sign within [low, high], the whole of text.
bool parse_bounded(std::string_view text, int low, int high, int& value)
{
    if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    int parsed = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

}  // namespace

bool parse_wind_option(std::string_view text, WindChoice& choice)
{
    constexpr std::string_view random_prefix = "random:";
    constexpr std::string_view fixed_prefix = "fixed:";
    if (text.starts_with(random_prefix)) {
        int turns = 0;
        if (!parse_bounded(text.substr(random_prefix.size()), min_turns, max_turns, turns)) return false;
        choice.random_wind = 1;
        choice.wind_change_turn = turns;
        return true;
    }
    if (text.starts_with(fixed_prefix)) {
        std::string_view rest = text.substr(fixed_prefix.size());
        std::size_t colon = rest.find(':');
        if (colon == std::string_view::npos) return false;
        int strength = 0;
        int angle = 0;
        if (!parse_bounded(rest.substr(0, colon), 0, max_fixed_wind, strength)) return false;
        if (!parse_bounded(rest.substr(colon + 1), 0, max_fixed_wang, angle)) return false;
        choice.random_wind = 0;
        choice.wind = strength;
        choice.wang = angle;
        return true;
    }
    return false;
}

}  // namespace qm
