// Cost of the tick in which a drill round begins: the target's place drawn
// and its column looked down for ground (or, in the coach's drill, its fall
// worked out inside its band), the wind set, the target dropped from the top
// of the world. Measured warm, like the other one-off ticks.
#include <benchmark/benchmark.h>

#include <memory>

#include "sim/drill/drill_run.h"
#include "sim/drill/round_check.h"
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

// Times the tick in which the first round begins, the drill begun afresh
// on the rewound hills before each; a coach drill's first round is drawn
// from `band`.
void time_round_start(benchmark::State& state, const DrillRules& rules, int band)
{
    const Rewind rewind(hills_at_rest(), 1);
    auto w = std::make_unique<World>(hills_at_rest());
    for (auto _ : state) {
        state.PauseTiming();
        rewind(*w);
        begin_drill(*w, rules, 7);
        w->drill.plan[0] = band;
        state.ResumeTiming();
        paint(*w);
        benchmark::DoNotOptimize(w->memoria.data());
    }
    if (w->drill.round_pending) state.SkipWithError("the round did not begin in the tick");
}

// Arg 0: a distance with ground under it, placed at the first draw. Arg 1:
// the longest distance, off the map's right edge from where the player
// stands, so every draw misses and the nearest ground is searched for.
void BM_DrillRoundStart(benchmark::State& state)
{
    time_round_start(state, rules_at(state.range(0) == 0 ? 400 : drill_max_distance), 0);
}
BENCHMARK(BM_DrillRoundStart)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The coach's round: its distance and wind drawn inside the band (the arg),
// the target's fall and, when the ground runs out that way, the player's
// worked out on the side. Band 24 (very long, strong tail wind) moves the
// player to the far end of the ground.
void BM_DrillRoundStartCoach(benchmark::State& state)
{
    DrillRules rules = rules_at(400);
    rules.coach = true;
    time_round_start(state, rules, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_DrillRoundStartCoach)->Arg(0)->Arg(12)->Arg(24)->Unit(benchmark::kMicrosecond);

// The round check's heaviest tick, the one after the round begins: the round
// taken onto the check's probe and the units' fall worked out there.
void BM_RoundCheckFirstTick(benchmark::State& state)
{
    const Rewind rewind(hills_at_rest(), 1);
    auto w = std::make_unique<World>(hills_at_rest());
    const DrillRules rules = rules_at(400);
    for (auto _ : state) {
        state.PauseTiming();
        rewind(*w);
        begin_drill(*w, rules, 7);
        paint(*w);
        state.ResumeTiming();
        w->round_check.step(*w, round_check_slice);
    }
    if (!w->round_check.checking()) state.SkipWithError("the check did not wait for its shots");
}
BENCHMARK(BM_RoundCheckFirstTick)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm::bench
