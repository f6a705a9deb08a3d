// Entry point of the benchmarks: each one is measured in repetitions and the
// run closes with a table of the medians, each also as a multiple of the
// floor every tick stands on, checked against its budget.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// The two floors: one std::fill over the 800 by 600 frame, and the frame
// copied row by row from two terrain stripes. Which costs more depends on the
// processor (on some a copy takes nearly three fills), so the floor is the
// larger of the two.
constexpr const char* floor_names[] = {"BM_FillFrame", "BM_CopyFrame"};

bool is_floor(const std::string& name) { return name == floor_names[0] || name == floor_names[1]; }

// A whole warm tick may cost at most this many floors, in any situation.
constexpr double tick_budget_floors = 1.5;
// The terrain build of a 3200-wide map may take at most this long.
constexpr double terrain_build_budget_seconds = 0.010;
// The power finder's share of one tick, and a whole tick working out the aim
// chart, may take at most half a tick.
constexpr double power_finder_slice_budget_seconds = 0.008;
// The default shot chart on the flat map with two threads may take at most
// this long by the wall clock.
constexpr double default_chart_budget_seconds = 1.0;

struct Median {
    std::string name;
    double seconds = 0.0;      // wall clock
    double cpu_seconds = 0.0;  // the process's own time, which other work on the machine does not add to
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
                medians.push_back({name, 0.0, 0.0, true});
                continue;
            }
            const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            medians.push_back({name, run.GetAdjustedRealTime() / unit, run.GetAdjustedCPUTime() / unit, false});
        }
    }

    std::vector<Median> medians;
};

// The benchmarks that time one whole tick, held to the tick budget.
bool is_whole_tick(const std::string& name)
{
    return name.rfind("BM_Tick_", 0) == 0 || name.rfind("BM_DrillRoundStart", 0) == 0;
}

// The budget line for a benchmark: empty when it has none, else whether the
// median keeps it.
std::string budget(const Median& m, double floor_seconds)
{
    if (is_whole_tick(m.name)) {
        if (floor_seconds <= 0.0) return "no floor measured";
        char text[64];
        std::snprintf(text, sizeof text, "%s (at most %.1f x floor)",
                      m.cpu_seconds <= tick_budget_floors * floor_seconds ? "kept" : "EXCEEDED",
                      tick_budget_floors);
        return text;
    }
    struct TimeBudget {
        const char* name;
        double seconds;
        bool wall;  // by the wall clock: the work runs on more than one thread
    };
    const TimeBudget time_budgets[] = {
        {"BM_TerrainBuild", terrain_build_budget_seconds, false},
        {"BM_PowerFinderSlice", power_finder_slice_budget_seconds, false},
        {"BM_ChartTick", power_finder_slice_budget_seconds, false},
        {"BM_ChartFlat/0", default_chart_budget_seconds, true},
    };
    for (const TimeBudget& limit : time_budgets) {
        if (m.name != limit.name) continue;
        const double taken = limit.wall ? m.seconds : m.cpu_seconds;
        char text[64];
        std::snprintf(text, sizeof text, "%s (at most %.0f ms%s)", taken <= limit.seconds ? "kept" : "EXCEEDED",
                      limit.seconds * 1e3, limit.wall ? " wall" : "");
        return text;
    }
    return {};
}

std::string format_time(double seconds)
{
    char text[32];
    if (seconds >= 1e-3) {
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    } else if (seconds >= 1e-6) {
        std::snprintf(text, sizeof text, "%.1f us", seconds * 1e6);
    } else {
        std::snprintf(text, sizeof text, "%.0f ns", seconds * 1e9);
    }
    return text;
}

// The floors first, then the others by name.
void print_table(std::vector<Median> medians)
{
    std::sort(medians.begin(), medians.end(), [](const Median& a, const Median& b) {
        return std::make_pair(!is_floor(a.name), a.name) < std::make_pair(!is_floor(b.name), b.name);
    });
    // The larger floor; none unless both were measured.
    double floor = 0.0;
    int floors = 0;
    for (const Median& m : medians) {
        if (!is_floor(m.name) || m.failed) continue;
        floor = std::max(floor, m.cpu_seconds);
        ++floors;
    }
    if (floors < 2) floor = 0.0;
    std::printf("\nMedians of the repetitions: CPU time (the process's own), wall clock, and the CPU time\n"
                "as a multiple of the floor, the larger of %s (one std::fill over the 800x600\n"
                "frame) and %s (the frame copied row by row from two terrain stripes):\n\n",
                floor_names[0], floor_names[1]);
    std::printf("%-26s %11s %11s %8s   %s\n", "benchmark", "CPU", "wall", "x floor", "budget");
    for (const Median& m : medians) {
        if (m.failed) {
            std::printf("%-26s %11s\n", m.name.c_str(), "error");
            continue;
        }
        char ratio[32] = "";
        if (floor > 0.0) std::snprintf(ratio, sizeof ratio, "%.2f", m.cpu_seconds / floor);
        std::printf("%-26s %11s %11s %8s   %s\n", m.name.c_str(), format_time(m.cpu_seconds).c_str(),
                    format_time(m.seconds).c_str(), ratio, budget(m, floor).c_str());
    }
    // The shot engine's rate: one shot per iteration, on one core.
    for (const Median& m : medians) {
        if ((m.name == "BM_TableRow" || m.name == "BM_ShotFlat") && !m.failed && m.cpu_seconds > 0.0) {
            std::printf("%s: %.0f shots a second on one core\n", m.name.c_str(), 1.0 / m.cpu_seconds);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // Many short repetitions, interleaved at random, by default: on a shared
    // machine a burst of other work then spoils a few repetitions of every
    // benchmark rather than all of one. Flags given on the command line come
    // later and win.
    std::vector<char*> args{argv[0]};
    char repetitions[] = "--benchmark_repetitions=9";
    char min_time[] = "--benchmark_min_time=0.1";
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    args.push_back(repetitions);
    args.push_back(min_time);
    args.push_back(interleave);
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
