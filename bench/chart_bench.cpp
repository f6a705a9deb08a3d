// The shot chart's curves on the flat map with two threads, as `qmsim chart`
// works them out: the map settled under each wind, then every curve's shots.
// Arg 0 is the default chart (eleven winds, 401 powers: 4,411 shots), arg 1
// the four-angle panel (30, 45, 60 and 75 degrees: 17,644 shots). Timed by
// the wall clock, which the chart's budget is on.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cli/chart/chart_curves.h"
#include "cli/chart/chart_options.h"

namespace {

void BM_ChartFlat(benchmark::State& state)
{
    std::vector<std::string> words = {"chart", "--out", "unused.png", "--threads", "2"};
    if (state.range(0) == 1) words.insert(words.end(), {"--angle", "30,45,60,75"});
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    qm::ChartOptions options;
    std::string error;
    if (!qm::parse_chart_options(static_cast<int>(argv.size()), argv.data(), options, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        std::vector<qm::ChartCurve> curves;
        if (!qm::work_out_curves(options, curves, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(curves.data());
    }
}
BENCHMARK(BM_ChartFlat)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
