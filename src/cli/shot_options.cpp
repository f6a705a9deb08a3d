// The shared shot options.
#include "cli/shot_options.h"

#include <string_view>

#include "sim/shot_engine.h"

namespace qm {

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

Option axis_option(std::string name, std::string value, std::string what, std::string forms, std::string help,
                   double low, double high, GridAxis& values)
{
    return custom(std::move(name), std::move(value), std::move(what), std::move(forms), std::move(help),
                  [&values, low, high](const char* given, std::string&) {
                      return parse_grid_axis(given, low, high, values);
                  });
}

Option threads_option(int& threads)
{
    return whole("--threads", "thread count", 1, max_threads, "threads to fire on, one a core unless told", threads)
        .defaulting_to(std::to_string(default_threads()));
}

}  // namespace qm
