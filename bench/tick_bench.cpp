// Cost of one whole tick (paint() without a window) in four situations, and
// of the tick's heaviest pieces alone: the background, a unit's slope and a
// point test against a unit's body.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "sim/paint.h"
#include "situations.h"
#include "sim/background.h"

namespace qm::bench {
namespace {

// Ticks in a situation that lasts: each iteration is one more tick of it.
void steady_ticks(benchmark::State& state, const World& situation)
{
    auto w = std::make_unique<World>(situation);
    for (auto _ : state) {
        paint(*w);
        benchmark::DoNotOptimize(w->memoria.data());
    }
}

// A tick that happens once, measured warm: every iteration starts again
// from the tick before it, rewound with the clock stopped, and runs that
// tick too, so that the frame and the caches are as the previous tick of a
// run leaves them.
void one_tick(benchmark::State& state, const World& tick_before, std::string problem)
{
    const Rewind rewind(tick_before, 2);
    if (problem.empty()) problem = rewind.check();
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    auto w = std::make_unique<World>(tick_before);
    for (auto _ : state) {
        state.PauseTiming();
        rewind(*w);
        paint(*w);
        state.ResumeTiming();
        paint(*w);
        benchmark::DoNotOptimize(w->memoria.data());
    }
}

void BM_Tick_FlatAtRest(benchmark::State& state) { steady_ticks(state, flat_at_rest()); }
BENCHMARK(BM_Tick_FlatAtRest)->Unit(benchmark::kMicrosecond);

void BM_Tick_HillsAtRest(benchmark::State& state) { steady_ticks(state, hills_at_rest()); }
BENCHMARK(BM_Tick_HillsAtRest)->Unit(benchmark::kMicrosecond);

void BM_Tick_ShotNearTarget(benchmark::State& state)
{
    one_tick(state, shot_approaching(), check_shot_near_target());
}
BENCHMARK(BM_Tick_ShotNearTarget)->Unit(benchmark::kMicrosecond);

void BM_Tick_Impact(benchmark::State& state)
{
    one_tick(state, shot_near_target(), check_shot_before_impact());
}
BENCHMARK(BM_Tick_Impact)->Unit(benchmark::kMicrosecond);

// The impact tick again, but each time after a copy of the whole world
// (some 17 MB), which pushes the frame and the stripes out of the core's own
// cache, much as presenting a frame and waiting for the next tick may.
void BM_ColdTick_Impact(benchmark::State& state)
{
    const std::string problem = check_shot_before_impact();
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    const World& situation = shot_before_impact();
    auto w = std::make_unique<World>(situation);
    for (auto _ : state) {
        state.PauseTiming();
        *w = situation;
        state.ResumeTiming();
        paint(*w);
        benchmark::DoNotOptimize(w->memoria.data());
    }
}
// A fixed count: each copy takes milliseconds.
BENCHMARK(BM_ColdTick_Impact)->Unit(benchmark::kMicrosecond)->Iterations(100);

void BM_DrawBackground(benchmark::State& state)
{
    auto w = std::make_unique<World>(hills_at_rest());
    const int cam_x = w->cam1.cam_x;
    const int cam_y = w->cam1.cam_y;
    for (auto _ : state) {
        forget_backdrop(*w);  // the whole frame, as after a jump of the view
        draw_background(*w, cam_x, cam_y);
        benchmark::DoNotOptimize(w->memoria.data());
    }
}
BENCHMARK(BM_DrawBackground)->Unit(benchmark::kMicrosecond);

void BM_GetSlope(benchmark::State& state)
{
    auto w = std::make_unique<World>(hills_at_rest());
    for (auto _ : state) benchmark::DoNotOptimize(w->target1.get_slope());
}
BENCHMARK(BM_GetSlope)->Unit(benchmark::kMicrosecond);

// A point inside the test box, beside the body: the whole test runs. Each
// test at a new slope draws the body; one at the slope already drawn reads it.
void collisions(benchmark::State& state, double other_slope)
{
    auto w = std::make_unique<World>(hills_at_rest());
    bot& target = w->target1;
    const double slopes[2] = {target.slope, other_slope};
    const int x = target.pos_x + 30;
    const int y = target.pos_y - 30;
    int i = 0;
    for (auto _ : state) {
        target.slope = slopes[i];
        i ^= 1;
        benchmark::DoNotOptimize(target.collision(x, y));
    }
}

void BM_Collision_NewSlope(benchmark::State& state) { collisions(state, hills_at_rest().target1.slope + 15); }
BENCHMARK(BM_Collision_NewSlope)->Unit(benchmark::kMicrosecond);

void BM_Collision_SameSlope(benchmark::State& state) { collisions(state, hills_at_rest().target1.slope); }
BENCHMARK(BM_Collision_SameSlope)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm::bench
