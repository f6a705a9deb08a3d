// One shot of the shot engine (the table, the chart, the finder): a whole
// shot worked out by the shot probe, from the fire request to the last
// shell's strike and the craters put back. On the hills map the rows taken
// walk across the full table grid (angles 10 to 90, powers 0 to 4), so the
// mean is that of a full table; on the flat map they walk the default
// chart's powers at its four angles.
#include <benchmark/benchmark.h>

#include "sim/shot_probe.h"
#include "situations.h"

namespace {

constexpr int grid_angles = 81;   // 10 to 90 degrees in steps of 1
constexpr int grid_powers = 401;  // 0 to 4 in steps of 0.01

void BM_TableRow(benchmark::State& state)
{
    qm::ShotProbe probe(qm::bench::hills_at_rest());
    long long row = 0;
    for (auto _ : state) {
        // Strides prime to the grid's sides visit every angle and power.
        const int angle = 10 + static_cast<int>(row * 7 % grid_angles);
        const double power = static_cast<double>(row * 13 % grid_powers) / 100.0;
        benchmark::DoNotOptimize(probe.fire(angle, power, 1));
        ++row;
    }
}
BENCHMARK(BM_TableRow);

void BM_ShotFlat(benchmark::State& state)
{
    constexpr int angles[] = {30, 45, 60, 75};
    qm::ShotProbe probe(qm::bench::flat_at_rest());
    long long shot = 0;
    for (auto _ : state) {
        const int angle = angles[shot % 4];
        const double power = static_cast<double>(shot * 13 % grid_powers) / 100.0;
        benchmark::DoNotOptimize(probe.fire(angle, power, 1));
        ++shot;
    }
}
BENCHMARK(BM_ShotFlat);

}  // namespace
