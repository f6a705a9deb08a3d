// The power finder on the hills map: a whole search for the hit window (all
// 401 powers at one angle) against its floor, the bare ladder of shots with
// nothing read from them, and the share of it one tick carries; the landing prediction's
// re-sync after the scene changed; and a whole tick working out the aim
// chart.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "sim/paint.h"
#include "sim/practice.h"
#include "sim/prediction.h"
#include "sim/shot_engine.h"
#include "sim/shot_probe.h"
#include "situations.h"

namespace {

// Angles 10 to 90 taken in turn, so the mean is that of every aim.
constexpr int grid_angles = 81;

void BM_PowerFinder(benchmark::State& state)
{
    const qm::World& round = qm::bench::hills_at_rest();
    qm::ShotProbe probe(round);
    qm::WindowSearch search;
    long long run = 0;
    for (auto _ : state) {
        search.start(10.0 + static_cast<double>(run * 7 % grid_angles), 1);
        search.step(probe, qm::finder_powers);
        benchmark::DoNotOptimize(search.window().best);
        ++run;
    }
}
BENCHMARK(BM_PowerFinder)->Unit(benchmark::kMillisecond);

// The floor: the same 401 shots at the same angles, nothing read from them.
void BM_PowerLadder(benchmark::State& state)
{
    const qm::World& round = qm::bench::hills_at_rest();
    qm::ShotProbe probe(round);
    qm::ShotResult shots[qm::finder_slice];
    long long run = 0;
    for (auto _ : state) {
        const qm::PowerLadder ladder{10.0 + static_cast<double>(run * 7 % grid_angles), 1, qm::finder_steps_per_unit};
        for (int from = 0; from < qm::finder_powers; from += qm::finder_slice) {
            qm::fire_rungs(probe, ladder, from, std::min(qm::finder_powers, from + qm::finder_slice), shots);
        }
        benchmark::DoNotOptimize(shots[0].target_damage);
        ++run;
    }
}
BENCHMARK(BM_PowerLadder)->Unit(benchmark::kMillisecond);

// The slowest tick's share: the finder's slice with the longest flights,
// the highest powers at 45 degrees.
void BM_PowerFinderSlice(benchmark::State& state)
{
    const qm::World& round = qm::bench::hills_at_rest();
    qm::ShotProbe probe(round);
    qm::WindowSearch search;
    for (auto _ : state) {
        state.PauseTiming();
        search.start(45.0, 1);
        search.step(probe, qm::finder_powers - qm::finder_slice);
        state.ResumeTiming();
        search.step(probe, qm::finder_slice);
    }
}
BENCHMARK(BM_PowerFinderSlice)->Unit(benchmark::kMillisecond);

// The tick after the scene changed: the probe takes the round again.
void BM_PredictionSync(benchmark::State& state)
{
    const qm::World& round = qm::bench::hills_at_rest();
    qm::ShotProbe probe(round);
    for (auto _ : state) probe.sync(round);
}
BENCHMARK(BM_PredictionSync)->Unit(benchmark::kMillisecond);

// A whole tick (paint) with the aim chart on, in its slowest share: the last
// whole slice of a curve, the highest powers but the few after them and the
// longest flights, at 45 and 46 degrees in turn so that every iteration works
// out a new curve.
void BM_ChartTick(benchmark::State& state)
{
    auto w = std::make_unique<qm::World>(qm::bench::hills_at_rest());
    qm::toggle_chart(*w);
    qm::paint(*w);  // syncs the probe
    constexpr int whole_slices = qm::chart_powers / qm::chart_slice;
    long long run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w->vang = 45.0 + static_cast<double>(run++ % 2);
        for (int i = 0; i < whole_slices - 1; ++i) qm::paint(*w);
        state.ResumeTiming();
        qm::paint(*w);
        benchmark::DoNotOptimize(w->memoria.data());
        state.PauseTiming();
        while (qm::aim_chart_view(*w).fired != qm::chart_powers) qm::paint(*w);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ChartTick)->Unit(benchmark::kMillisecond);

}  // namespace
