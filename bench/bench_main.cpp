// Entry point of the benchmarks: each one is measured in repetitions and the
// run closes with a table of the medians, each also as a multiple of filling
// one frame (the floor every tick stands on), checked against its budget.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The floor: one std::fill over the 800 by 600 frame.
constexpr const char* floor_name = "BM_FillFrame";

// A whole tick may cost at most this many frame fills, in any situation.
constexpr double tick_budget_fills = 3.0;
// The terrain build of a 3200-wide map may take at most this long.
constexpr double terrain_build_budget_seconds = 0.010;

struct Median {
    std::string name;
    double seconds = 0.0;
    bool failed = false;
};

// The console output as usual, and the median of each benchmark kept.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override
    {
        ConsoleReporter::ReportRuns(reports);
        for (const Run& run : reports) {
            const bool single = run.repetitions <= 1 && run.run_type == Run::RT_Iteration;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!single && !median && !run.error_occurred) continue;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
            if (run.error_occurred) {
                medians.push_back({name, 0.0, true});
                continue;
            }
            medians.push_back({name, run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit),
                               false});
        }
    }

    std::vector<Median> medians;
};

// The budget line for a benchmark: empty when it has none, else whether the
// median keeps it.
std::string budget(const Median& m, double fill_seconds)
{
    if (m.name.rfind("BM_Tick_", 0) == 0) {
        if (fill_seconds <= 0.0) return "no floor measured";
        char text[64];
        std::snprintf(text, sizeof text, "%s (at most %.0f x fill)",
                      m.seconds <= tick_budget_fills * fill_seconds ? "kept" : "EXCEEDED", tick_budget_fills);
        return text;
    }
    if (m.name == "BM_TerrainBuild") {
        char text[64];
        std::snprintf(text, sizeof text, "%s (at most %.0f ms)",
                      m.seconds <= terrain_build_budget_seconds ? "kept" : "EXCEEDED",
                      terrain_build_budget_seconds * 1e3);
        return text;
    }
    return {};
}

void print_table(const std::vector<Median>& medians)
{
    double fill = 0.0;
    for (const Median& m : medians) {
        if (m.name == floor_name && !m.failed) fill = m.seconds;
    }
    std::printf("\nMedians (wall clock), as multiples of %s, the fill of one 800x600 frame:\n\n", floor_name);
    std::printf("%-28s %12s %10s   %s\n", "benchmark", "median", "x fill", "budget");
    for (const Median& m : medians) {
        if (m.failed) {
            std::printf("%-28s %12s %10s   %s\n", m.name.c_str(), "error", "", "");
            continue;
        }
        char time[32];
        if (m.seconds >= 1e-3) {
            std::snprintf(time, sizeof time, "%.2f ms", m.seconds * 1e3);
        } else {
            std::snprintf(time, sizeof time, "%.1f us", m.seconds * 1e6);
        }
        char ratio[32] = "";
        if (fill > 0.0) std::snprintf(ratio, sizeof ratio, "%.2f", m.seconds / fill);
        std::printf("%-28s %12s %10s   %s\n", m.name.c_str(), time, ratio, budget(m, fill).c_str());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // Repeated measurements by default, since the machine is shared; flags
    // given on the command line come later and win.
    std::vector<char*> args{argv[0]};
    char repetitions[] = "--benchmark_repetitions=5";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    args.push_back(repetitions);
    args.push_back(aggregates);
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);

    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    print_table(reporter.medians);
    benchmark::Shutdown();
    return 0;
}
