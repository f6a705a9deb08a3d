// The chart's curves: one round set up and its terrain built once; a copy of
// it, before its first tick, run to rest under each wind (the units fall
// with the wind, so each wind has its own start), the winds shared out among
// the threads; then all the shots.
#include "cli/chart/chart_curves.h"

#include <algorithm>
#include <atomic>
#include <memory>

#include "shell/round_setup.h"
#include "sim/shot_engine.h"
#include "sim/shot_record.h"
#include "sim/world.h"

namespace qm {

namespace {

// Each wind's round: a copy of the unticked round run to rest under it. The
// winds are shared out among the threads, each with a world of its own, and
// every start kept in its wind's place, so nothing depends on the number of
// threads. Returns a world that settled (some wind's round: for the shot
// engine, any settled round of the map will do), or null with the reason of
// the first wind in which the units do not come to rest.
std::unique_ptr<World> settle_winds(const World& unticked, const ChartOptions& options,
                                    std::vector<ShotStart>& starts, std::string& error)
{
    const std::size_t count = options.winds.size();
    if (count == 0) {
        error = "chart: no winds to draw";
        return nullptr;
    }
    std::vector<std::unique_ptr<ShotStart>> settled_starts(count);
    std::atomic<std::size_t> next{0};
    // The world is far too large for the stack.
    const std::size_t threads = std::min(static_cast<std::size_t>(usable_threads(options.threads)), count);
    std::vector<std::unique_ptr<World>> worlds;
    for (std::size_t t = 0; t < threads; ++t) worlds.push_back(std::make_unique<World>());
    std::vector<char> used(threads, 0);
    run_on_threads(static_cast<int>(threads), [&](int t) {
        World& settled = *worlds[static_cast<std::size_t>(t)];
        for (std::size_t w = next.fetch_add(1); w < count; w = next.fetch_add(1)) {
            used[static_cast<std::size_t>(t)] = 1;
            // A wind changes nothing of the round before its first tick but the wind.
            settled = unticked;
            settled.wind = options.winds[w].strength;
            settled.wang = options.winds[w].angle;
            run_until_rest(settled, max_settle_ticks);
            if (round_at_rest(settled)) settled_starts[w] = std::make_unique<ShotStart>(settled);
        }
    });

    for (std::size_t w = 0; w < count; ++w) {
        if (settled_starts[w] == nullptr) {
            error = "chart: the units do not come to rest within " + std::to_string(max_settle_ticks) +
                    " ticks on this map in the wind " + std::to_string(options.winds[w].strength) + ":" +
                    std::to_string(options.winds[w].angle);
            return nullptr;
        }
        starts.push_back(std::move(*settled_starts[w]));
    }
    const auto settled = std::find(used.begin(), used.end(), 1) - used.begin();
    return std::move(worlds[static_cast<std::size_t>(settled)]);
}

}  // namespace

bool work_out_curves(const ChartOptions& options, std::vector<ChartCurve>& curves, std::string& error)
{
    RoundSettings settings;
    settings.map = options.map;
    settings.random_wind = 0;
    // The world is far too large for the stack.
    auto unticked = std::make_unique<World>();
    if (!set_up_round(*unticked, settings, error)) return false;

    std::vector<ShotStart> starts;
    starts.reserve(options.winds.size());
    const std::unique_ptr<World> settled = settle_winds(*unticked, options, starts, error);
    if (settled == nullptr) return false;

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
