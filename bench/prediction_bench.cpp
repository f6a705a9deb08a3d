// The power finder on the hills map: a whole search (all 401 powers at one
// angle) and the share of it one tick carries; and the landing prediction's
// re-sync after the scene changed.
#include <benchmark/benchmark.h>

#include "sim/prediction.h"
#include "sim/shot_probe.h"
#include "situations.h"

namespace {

// Angles 10 to 90 taken in turn, so the mean is that of every aim.
constexpr int grid_angles = 81;

void BM_PowerFinder(benchmark::State& state)
{
    const qm::World& round = qm::bench::hills_at_rest();
    qm::ShotProbe probe(round);
    qm::PowerSearch search;
    long long run = 0;
    for (auto _ : state) {
        const qm::Aim aim{10.0 + static_cast<double>(run * 7 % grid_angles), 0.0, 1};
        search.start(aim, round.target1.pos_x, round.target1.pos_y);
        search.step(probe, qm::finder_powers);
        benchmark::DoNotOptimize(search.power());
        ++run;
    }
}
BENCHMARK(BM_PowerFinder)->Unit(benchmark::kMillisecond);

// The slowest tick's share: the finder's slice with the longest flights,
// the highest powers at 45 degrees.
void BM_PowerFinderSlice(benchmark::State& state)
{
    const qm::World& round = qm::bench::hills_at_rest();
    qm::ShotProbe probe(round);
    qm::PowerSearch search;
    for (auto _ : state) {
        state.PauseTiming();
        search.start({45.0, 0.0, 1}, round.target1.pos_x, round.target1.pos_y);
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

}  // namespace
