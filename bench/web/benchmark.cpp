// Running the registered benchmarks: the iteration count grown until a
// repetition lasts the minimum time, the repetitions timed, their median
// reported.
#include "benchmark/benchmark.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <regex>

namespace benchmark {

namespace internal {

const void* volatile sink = nullptr;

namespace {

std::vector<std::unique_ptr<Benchmark>>& registry()
{
    static std::vector<std::unique_ptr<Benchmark>> benchmarks;
    return benchmarks;
}

struct Options {
    std::string filter = ".";
    int repetitions = 1;
    double min_time = 0.5;
};

Options& options()
{
    static Options o;
    return o;
}

// One repetition of iterations; its seconds, or negative after an error.
double repeat(const Benchmark& benchmark, const std::vector<std::int64_t>& args, std::int64_t iterations,
              std::string& error)
{
    State state(iterations, args);
    benchmark.function_(state);
    if (state.error()) {
        error = state.error_message();
        return -1;
    }
    return state.seconds();
}

BenchmarkReporter::Run measure(const Benchmark& benchmark, const std::vector<std::int64_t>& args)
{
    BenchmarkReporter::Run run;
    run.run_name.function_name = benchmark.name_;
    if (!args.empty()) run.run_name.args = std::to_string(args.front());
    run.time_unit = benchmark.unit_;
    run.repetitions = options().repetitions;

    std::int64_t iterations = benchmark.iterations_;
    std::string error;
    if (iterations == 0) {
        // Ten times more until a repetition lasts a tenth of the minimum,
        // then as many as the minimum takes.
        iterations = 1;
        for (;;) {
            const double seconds = repeat(benchmark, args, iterations, error);
            if (seconds < 0) break;
            if (seconds >= options().min_time / 10 || iterations >= 1000000000) {
                const double per = seconds / static_cast<double>(iterations);
                iterations = std::max<std::int64_t>(1, static_cast<std::int64_t>(options().min_time / std::max(per, 1e-12)));
                break;
            }
            iterations *= 10;
        }
    }
    std::vector<double> times;
    for (int r = 0; r < options().repetitions && error.empty(); ++r) {
        const double seconds = repeat(benchmark, args, iterations, error);
        if (seconds >= 0) times.push_back(seconds / static_cast<double>(iterations));
    }
    if (!error.empty() || times.empty()) {
        run.error_occurred = true;
        run.error_message = error;
        return run;
    }
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    run.seconds = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    return run;
}

}  // namespace

Benchmark* Register(Benchmark* benchmark)
{
    registry().emplace_back(benchmark);
    return benchmark;
}

}  // namespace internal

double GetTimeUnitMultiplier(TimeUnit unit)
{
    switch (unit) {
    case kSecond: return 1;
    case kMillisecond: return 1e3;
    case kMicrosecond: return 1e6;
    case kNanosecond: return 1e9;
    }
    return 1e9;
}

void State::start()
{
    seconds_ = 0.0;
    running_ = true;
    started_ = std::chrono::steady_clock::now();
}

void State::stop()
{
    if (running_) seconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    running_ = false;
}

void State::PauseTiming() { stop(); }

void State::ResumeTiming()
{
    running_ = true;
    started_ = std::chrono::steady_clock::now();
}

void State::SkipWithError(const char* message)
{
    error_ = true;
    error_message_ = message;
}

void ConsoleReporter::ReportRuns(const std::vector<Run>& reports)
{
    static const char* const units[] = {"ns", "us", "ms", "s"};
    for (const Run& run : reports) {
        std::string name = run.run_name.function_name;
        if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
        if (run.error_occurred) {
            std::printf("%-40s ERROR: %s\n", name.c_str(), run.error_message.c_str());
        } else {
            std::printf("%-40s_median %12.1f %s\n", name.c_str(), run.GetAdjustedRealTime(), units[run.time_unit]);
        }
    }
    std::fflush(stdout);
}

void Initialize(int* argc, char** argv)
{
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        const char* arg = argv[i];
        auto value = [arg](const char* flag) -> const char* {
            const std::size_t length = std::strlen(flag);
            return std::strncmp(arg, flag, length) == 0 ? arg + length : nullptr;
        };
        if (const char* v = value("--benchmark_filter=")) {
            internal::options().filter = v;
        } else if (const char* r = value("--benchmark_repetitions=")) {
            internal::options().repetitions = std::max(1, std::atoi(r));
        } else if (const char* t = value("--benchmark_min_time=")) {
            internal::options().min_time = std::atof(t);
        } else if (value("--benchmark_enable_random_interleaving=") == nullptr &&
                   value("--benchmark_report_aggregates_only=") == nullptr) {
            argv[kept++] = argv[i];
        }
    }
    *argc = kept;
}

bool ReportUnrecognizedArguments(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) std::fprintf(stderr, "%s: unrecognized argument '%s'\n", argv[0], argv[i]);
    return argc > 1;
}

void RunSpecifiedBenchmarks(BenchmarkReporter* reporter)
{
    const std::regex filter(internal::options().filter);
    for (const auto& benchmark : internal::registry()) {
        if (!std::regex_search(benchmark->name_, filter)) continue;
        std::vector<std::vector<std::int64_t>> runs;
        for (std::int64_t arg : benchmark->args_) runs.push_back({arg});
        if (runs.empty()) runs.emplace_back();
        for (const auto& args : runs) reporter->ReportRuns({internal::measure(*benchmark, args)});
    }
}

}  // namespace benchmark
