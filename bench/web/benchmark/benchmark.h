// The part of Google Benchmark's interface the benchmarks use, for the
// WebAssembly build, which has no Google Benchmark: each benchmark is run
// in repetitions of a number of iterations found to last the minimum time,
// and the medians are reported as Google Benchmark reports them. Time is
// the wall clock (node runs the program on one thread).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace benchmark {

enum TimeUnit { kNanosecond, kMicrosecond, kMillisecond, kSecond };

double GetTimeUnitMultiplier(TimeUnit unit);

namespace internal {
extern const void* volatile sink;
}

template <class T>
void DoNotOptimize(const T& value)
{
    internal::sink = &value;
    std::atomic_signal_fence(std::memory_order_seq_cst);
}

inline void ClobberMemory() { std::atomic_signal_fence(std::memory_order_seq_cst); }

class State {
public:
    State(std::int64_t iterations, std::vector<std::int64_t> args) : iterations_(iterations), args_(std::move(args)) {}

    // What the loop variable holds: nothing, but not a plain value either,
    // so an unused one draws no warning.
    struct Value {
        ~Value() {}
    };
    struct Iterator {
        State* state;
        std::int64_t left;
        bool operator!=(const Iterator&)
        {
            if (left > 0) return true;
            state->stop();
            return false;
        }
        void operator++() { --left; }
        Value operator*() const { return Value(); }
    };
    Iterator begin()
    {
        start();
        return Iterator{this, error_ ? 0 : iterations_};
    }
    Iterator end() { return Iterator{this, 0}; }

    void PauseTiming();
    void ResumeTiming();
    void SkipWithError(const char* message);
    std::int64_t range(std::size_t index) const { return args_.at(index); }

    double seconds() const { return seconds_; }
    bool error() const { return error_; }
    const std::string& error_message() const { return error_message_; }

private:
    void start();
    void stop();

    std::int64_t iterations_;
    std::vector<std::int64_t> args_;
    std::chrono::steady_clock::time_point started_;
    bool running_ = false;
    double seconds_ = 0.0;
    bool error_ = false;
    std::string error_message_;
};

namespace internal {

class Benchmark {
public:
    Benchmark(const char* name, void (*function)(State&)) : name_(name), function_(function) {}
    Benchmark* Unit(TimeUnit unit)
    {
        unit_ = unit;
        return this;
    }
    Benchmark* Arg(std::int64_t value)
    {
        args_.push_back(value);
        return this;
    }
    Benchmark* Iterations(std::int64_t count)
    {
        iterations_ = count;
        return this;
    }

    std::string name_;
    void (*function_)(State&);
    TimeUnit unit_ = kNanosecond;
    std::vector<std::int64_t> args_;  // one run for each, or one run without
    std::int64_t iterations_ = 0;     // 0: as many as the minimum time takes
};

Benchmark* Register(Benchmark* benchmark);

}  // namespace internal

class BenchmarkReporter {
public:
    struct Run {
        enum RunType { RT_Iteration, RT_Aggregate };
        struct Name {
            std::string function_name;
            std::string args;
        };
        Name run_name;
        RunType run_type = RT_Aggregate;
        std::string aggregate_name = "median";
        std::int64_t repetitions = 0;
        bool error_occurred = false;
        std::string error_message;
        TimeUnit time_unit = kNanosecond;
        double seconds = 0.0;  // per iteration
        double GetAdjustedRealTime() const { return seconds * GetTimeUnitMultiplier(time_unit); }
        double GetAdjustedCPUTime() const { return GetAdjustedRealTime(); }
    };
    virtual ~BenchmarkReporter() = default;
    virtual void ReportRuns(const std::vector<Run>& reports) = 0;
};

class ConsoleReporter : public BenchmarkReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override;
};

void Initialize(int* argc, char** argv);
bool ReportUnrecognizedArguments(int argc, char** argv);
void RunSpecifiedBenchmarks(BenchmarkReporter* reporter);
inline void Shutdown() {}

}  // namespace benchmark

#define QM_BENCHMARK_CAT2(a, b) a##b
#define QM_BENCHMARK_CAT(a, b) QM_BENCHMARK_CAT2(a, b)
#define BENCHMARK(function)                                                          \
    static ::benchmark::internal::Benchmark* QM_BENCHMARK_CAT(qm_benchmark_, __LINE__) = \
        ::benchmark::internal::Register(new ::benchmark::internal::Benchmark(#function, function))
