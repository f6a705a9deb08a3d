// Cost of the tick in which a drill round begins: the target's place drawn
// and its column looked down for ground, the wind set, the target dropped
// from the top of the world. Measured warm, like the other one-off ticks.
#include <benchmark/benchmark.h>

#include <memory>

#include "sim/drill/drill_run.h"
#include "sim/paint.h"
#include "situations.h"

namespace qm::bench {
namespace {

// A drill on the hills whose first round waits for the next tick, which
// places the target. A copy of a world carries no drill, so each start
// begins the drill again on the rewound world, with the clock stopped.
DrillRules rules_at(int distance)
{
    DrillRules rules;
    rules.distance_min = distance;
    rules.distance_max = distance;
    rules.wind_max = drill_max_wind;
    rules.wang_max = drill_max_wang;
    return rules;
}

// Arg 0: a distance with ground under it, placed at the first draw. Arg 1:
// the longest distance, off the map's right edge from where the player
// stands, so every draw misses and the nearest ground is searched for.
void BM_DrillRoundStart(benchmark::State& state)
{
    const DrillRules rules = rules_at(state.range(0) == 0 ? 400 : drill_max_distance);
    const Rewind rewind(hills_at_rest(), 1);
    auto w = std::make_unique<World>(hills_at_rest());
    for (auto _ : state) {
        state.PauseTiming();
        rewind(*w);
        begin_drill(*w, rules, 7);
        state.ResumeTiming();
        paint(*w);
        benchmark::DoNotOptimize(w->memoria.data());
    }
    if (w->drill.round_pending) state.SkipWithError("the round did not begin in the tick");
}
BENCHMARK(BM_DrillRoundStart)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm::bench
