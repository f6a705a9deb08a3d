// The benchmark binary's entry point; the benchmarks live beside it.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
