// The chart's curves: one round set up and its terrain built once; a copy of
// it, before its first tick, run to rest under each wind (the units fall
// with the wind, so each wind has its own start); then all the shots.
#include "shell/chart/chart_curves.h"

#include <memory>

#include "shell/round_setup.h"
#include "shell/table/shot_engine.h"
#include "sim/shot_record.h"
#include "sim/world.h"

namespace qm {

bool work_out_curves(const ChartOptions& options, std::vector<ChartCurve>& curves, std::string& error)
{
    RoundSettings settings;
    settings.map = options.map;
    settings.random_wind = 0;
    // The world is far too large for the stack.
    auto unticked = std::make_unique<World>();
    if (!set_up_round(*unticked, settings, error)) return false;

    // A wind changes nothing of the round before its first tick but the wind.
    auto settled = std::make_unique<World>();
    std::vector<ShotStart> starts;
    starts.reserve(options.winds.size());
    for (const ChartWind& wind : options.winds) {
        *settled = *unticked;
        settled->wind = wind.strength;
        settled->wang = wind.angle;
        run_until_rest(*settled, max_settle_ticks);
        if (!round_at_rest(*settled)) {
            error = "chart: the units do not come to rest within " + std::to_string(max_settle_ticks) +
                    " ticks on this map in the wind " + std::to_string(wind.strength) + ":" +
                    std::to_string(wind.angle);
            return false;
        }
        starts.emplace_back(*settled);
    }

    std::vector<Shot> shots;
    curves.clear();
    for (std::size_t a = 0; a < options.angles.size(); ++a) {
        for (std::size_t w = 0; w < options.winds.size(); ++w) {
            curves.push_back({a, w, {}});
            for (const GridValue& power : options.powers) {
                shots.push_back({static_cast<int>(w), options.angles[a].value, power.value});
            }
        }
    }
    const std::vector<ShotResult> results = fire_shots(*settled, starts, shots, options.direction, options.threads);
    const std::size_t per_curve = options.powers.size();
    for (std::size_t c = 0; c < curves.size(); ++c) {
        curves[c].shots.assign(results.begin() + static_cast<std::ptrdiff_t>(c * per_curve),
                               results.begin() + static_cast<std::ptrdiff_t>((c + 1) * per_curve));
    }
    return true;
}

}  // namespace qm
