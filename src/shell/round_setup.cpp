// Setting a round up without the dialog, and running it to rest.
#include "shell/round_setup.h"

#include "formats/words.h"
#include "sim/frame.h"
#include "sim/paint.h"
#include "sim/shot_record.h"
#include "sim/world.h"
#include "terrain/bitmap_reader.h"
#include "terrain/load_map.h"

namespace qm {

namespace {

// The ranges the configuration dialog offers.
constexpr int min_turns = 1;
constexpr int max_turns = 20;
constexpr int max_fixed_wind = 25;
constexpr int max_fixed_wang = 359;

// The desktop without a screen, against which pointer moves are normalised.
constexpr int headless_desk_width = frame_width;
constexpr int headless_desk_height = frame_height;

// A whole number without sign within [low, high], the whole of text.
bool parse_bounded(std::string_view text, int low, int high, int& value)
{
    long parsed = 0;
    if (!parse_whole_number(text, low, high, parsed)) return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

std::string fixed_wind_ranges()
{
    std::string ranges = "S from 0 to ";
    ranges += std::to_string(max_fixed_wind);
    ranges += " and A from 0 to ";
    ranges += std::to_string(max_fixed_wang);
    return ranges;
}

std::string wind_values()
{
    std::string values = "random:N with N from ";
    values += std::to_string(min_turns);
    values += " to ";
    values += std::to_string(max_turns);
    values += ", or fixed:S:A with ";
    values += fixed_wind_ranges();
    return values;
}

bool parse_wind(std::string_view text, RoundSettings& settings)
{
    constexpr std::string_view random_prefix = "random:";
    constexpr std::string_view fixed_prefix = "fixed:";
    if (text.starts_with(random_prefix)) {
        int turns = 0;
        if (!parse_bounded(text.substr(random_prefix.size()), min_turns, max_turns, turns)) return false;
        settings.random_wind = 1;
        settings.wind_change_turn = turns;
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
        settings.random_wind = 0;
        settings.wind = strength;
        settings.wang = angle;
        return true;
    }
    return false;
}

bool set_up_round(World& world, const RoundSettings& settings, std::string& error)
{
    world.DeskCap_X = headless_desk_width;
    world.DeskCap_Y = headless_desk_height;
    fill_circle_samp(world);

    std::string reason;
    if (settings.map != nullptr && !check_map_file(settings.map, reason)) {
        error = std::string(settings.map) + ": " + reason;
        return false;
    }
    start_round(world, settings);
    if (settings.map != nullptr) {
        build_terrain(world, world);
        world.loading = 0;
    }
    world.loaded = 1;
    return true;
}

long run_until_rest(World& world, long max_ticks)
{
    long ticks = 0;
    while (ticks < max_ticks && !round_at_rest(world)) {
        paint(world);
        ++ticks;
    }
    return ticks;
}

}  // namespace qm
