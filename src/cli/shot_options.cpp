// The shared shot options.
#include "cli/shot_options.h"

#include <string_view>

#include "shell/round_setup.h"
#include "sim/shot_engine.h"
#include "sim/shot_record.h"
#include "sim/world.h"

namespace qm {

Option map_option(RoundSettings& round)
{
    return text("--map", "FILE", "the map to fire on (default: the flat map)", round.map);
}

Option fixed_wind_option(const char* needs, RoundSettings& round)
{
    return custom("--wind", "fixed:S:A", "wind", std::string(needs) + " fixed:S:A with " + fixed_wind_ranges(),
                  "the wind, calm unless told", [&round](const char* value, std::string&) {
                      return parse_wind(value, round) && round.random_wind == 0;
                  });
}

Option facing_option(int& direction)
{
    return custom("--facing", "left|right", "facing", "left or right", "which way the player faces",
                  [&direction](const char* value, std::string&) {
                      const std::string_view side = value;
                      if (side != "left" && side != "right") return false;
                      direction = side == "left" ? -1 : 1;
                      return true;
                  })
        .defaulting_to("right");
}

Option axis_option(const char* name, const char* value, const char* what, std::string forms, const char* help,
                   double low, double high, GridAxis& values)
{
    return custom(name, value, what, std::move(forms), help,
                  [&values, low, high](const char* given, std::string&) {
                      return parse_grid_axis(given, low, high, values);
                  });
}

Option threads_option(int& threads)
{
    // Left at 0 unless told: counting the cores costs a file read on Linux,
    // and the count is wanted only when the shots are fired.
    return whole("--threads", "thread count", 1, max_threads, "threads to fire on", threads)
        .naming_default("one a core");
}

std::unique_ptr<World> settled_round(const RoundSettings& settings, const char* command, std::FILE* err)
{
    // The world is far too large for the stack.
    auto round = std::make_unique<World>();
    std::string error;
    if (!set_up_round(*round, settings, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return nullptr;
    }
    run_until_rest(*round, max_settle_ticks);
    if (!round_at_rest(*round)) {
        std::fprintf(err, "qmsim: %s: the units do not come to rest within %ld ticks on this map\n", command,
                     max_settle_ticks);
        return nullptr;
    }
    return round;
}

}  // namespace qm
